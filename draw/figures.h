// Lines, segments, circles, arcs and rectangles of the geometric records, drawn with
// their thickness onto a target (a null target is the screen).
//
// Every routine returns 0 when it drew (a thickness of 0 or less draws nothing and still
// returns 0) and UNDEFINED_CODE, drawing nothing, when a figure it needs is undefined.
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// The whole line, from border to border of the target, with its colour, dash mask and
// thickness.
std::int32_t DrawLine(ImageHandle target, const Line& line);
// The segment p1-p2 with the colour, dash mask and thickness of `line`.
std::int32_t DrawLineP(ImageHandle target, const Point& p1, const Point& p2, const Line& line);
// The circle or arc as 2t - 1 solid rings half a pixel apart, t its thickness.
std::int32_t DrawCircle(ImageHandle target, const Circle& circle);
// The rectangle standing on p1-p2 at `height` (positive heights lie clockwise of p1->p2).
std::int32_t DrawRect(ImageHandle target, const Point& p1, const Point& p2, double height, const Line& line);

}  // namespace vekora
