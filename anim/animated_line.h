// Segments that grow frame by frame under the pencil, optionally along a ruler.
#pragma once

#include <cstdint>

#include "anim/frame_loop.h"
#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// VEKA_PARTIALLINE: frame `step` of `steps`: the part p1-pk of the segment, pk that part of
// the way to p2, with `line`'s colour, style and thickness; with the ShowTool flag the pencil
// at pk, tilted 1 radian counter-clockwise from the drawing direction. From `steps` on (also
// for 0 steps) the whole segment. Advances `step`. Returns 0, UNDEFINED_CODE for an undefined
// point, or -1 (nothing drawn) when step > steps.
std::int32_t PartialLine(ImageHandle target, const Point& p1, const Point& p2, const Line& line, std::int32_t& step,
                         std::int32_t steps, double pencilLength, std::int32_t flags);

// VEKA_ANIMATELINE: the segment p1-p2 grows over `duration` seconds of frames of the set
// frame time, with the pencil and (ShowRuler flag) the ruler of the settings under it. The
// page is left with exactly the finished segment, whether the film ran to its end or was
// interrupted. Returns the input code that interrupted it, or 0.
std::int32_t AnimateLine(const Stage& stage, const Point& p1, const Point& p2, const Line& line, float duration,
                         double pencilLength, std::int32_t flags);

// VEKA_STARTLINE: as AnimateLine, then, unless interrupted, the last frame stays on the
// screen for the step time; the page is left with the segment and p2's marker. Returns the
// input code that cut the film or that pause short, or 0.
std::int32_t StartLine(const Stage& stage, const Point& p1, const Point& p2, const Line& line, float duration,
                       double pencilLength, std::int32_t flags);

// Ends a film that drew the segment a-b: the page as `before` held it plus the segment with
// `look`'s colour, style and thickness, shown.
void LeaveSegment(const Stage& stage, const SavedPage& before, const Point& a, const Point& b, const Line& look);

}  // namespace vekora
