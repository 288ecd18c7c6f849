// Arcs and circles that grow frame by frame under the compasses.
#pragma once

#include <cstdint>

#include "anim/frame_loop.h"
#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// VEKA_PARTIALARC: frame `step` of `steps`: the arc from its start through that part of its
// span (a full circle runs from angle 0 through 2pi), with the compasses (ShowTool flag)
// from the centre to the moving end. Arcs under a third of a radian are hurried: the step
// becomes round(step / (3 * span)), written back. At `steps` (also for 0 steps) the whole
// arc. Advances `step`. Returns 0, UNDEFINED_CODE for an undefined arc, or -1 (nothing drawn)
// when the step is beyond `steps`.
std::int32_t PartialArc(ImageHandle target, const Circle& arc, std::int32_t& step, std::int32_t steps,
                        double legLength, std::int32_t flags);

// VEKA_ANIMATEARC: the arc grows over `duration` seconds of frames of the set frame time;
// the page is left with exactly the finished arc. Returns the interrupting input code, or 0.
std::int32_t AnimateArc(const Stage& stage, const Circle& arc, float duration, double legLength,
                        std::int32_t flags);

}  // namespace vekora
