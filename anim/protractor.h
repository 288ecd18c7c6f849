// The protractor film: an angle laid off from a line, marked, ruled and drawn.
#pragma once

#include <cstdint>

#include "anim/frame_loop.h"
#include "geom/records.h"

namespace vekora {

// VEKA_ANIMATEPROTRACTOR: lays off `angle` (radians, counter-clockwise from line's
// direction) at V, the foot of the point on the line (the point itself when it lies within
// half a pixel of the line). With flags (pencil colour and instruments): a small mark across
// the line at V, the protractor of diameter `size` on the point, a mark just outside it at
// the angle, the ruler from V through the mark, then the pencil draws the ray. Without flags
// only the ray is animated. The page is left with what it held plus the segment V-R2 of the
// ray, R2 being 0.5 * size + 10 from V. Returns the ray from V with style's colour, style and
// thickness, and the interrupting input code, or 0.
Shown<Line> AnimateProtractor(const Stage& stage, const Line& line, const Point& point, double angle, float duration,
                              double size, const Line& style, std::int32_t flags);

}  // namespace vekora
