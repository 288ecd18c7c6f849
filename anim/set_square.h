// Films of the set square sliding along a ruler: the perpendicular and the parallel to a
// line through a point, alone or followed by the pencil drawing the segment.
#pragma once

#include <cstdint>

#include "anim/frame_loop.h"
#include "geom/records.h"

namespace vekora {

// The instruments' sizes and colours in a set-square film.
struct SquareKit {
    double size = 0.0;        // leg length of the set square
    double rulerWidth = 0.0;
    std::uint32_t squareColour = 0;
    std::uint32_t rulerColour = 0;
};

// VEKA_ANIMATERIGHTANGLE: the set square stands on the line beside the foot of the point,
// the ruler is laid against its long side, then the square slides along the ruler until its
// leg passes through the point (pauses of the animation time between the stages, `duration`
// seconds of sliding). The page keeps the last picture; the caller removes it. Returns the
// perpendicular to line through point (the undefined Line, nothing drawn, for an undefined
// point or a line without direction) with the interrupting input code, or 0.
Shown<Line> AnimateRightAngle(const Stage& stage, const Line& line, const Point& point, float duration, SquareKit kit);

// VEKA_ANIMATEPARALLEL: the square's long side lies on the line with the ruler against a
// leg; the square slides along the ruler until its long side passes through the point.
// Returns the parallel to line through point.
Shown<Line> AnimateParallel(const Stage& stage, const Line& line, const Point& point, float duration, SquareKit kit);

// VEKA_ANIMATEDRAWRIGHTANGLE: the right-angle film, then the pencil draws the perpendicular
// segment from the foot F towards the point, at least kit.size long, with `style`'s look
// (pencil colour and instruments from `flags`). The page is left with what it held plus that
// segment. Returns the perpendicular with style's colour, style and thickness.
Shown<Line> AnimateDrawRightAngle(const Stage& stage, const Line& line, const Point& point, float duration,
                                  const Line& style, SquareKit kit, std::int32_t flags);

// VEKA_ANIMATEDRAWPARALLEL: the parallel film, then the segment of the parallel reaching
// 0.7071 * kit.size to both sides of the point.
Shown<Line> AnimateDrawParallel(const Stage& stage, const Line& line, const Point& point, float duration,
                                const Line& style, SquareKit kit, std::int32_t flags);

}  // namespace vekora
