// The arc constructions: an arc about a centre, symmetric about the direction to a point, and
// an arc of a given radius about the crossing of two lines. The protocol is that of
// construct/lines.h; both show themselves as a circle does (construct/circles.h).
#pragma once

#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The arc about `centre` through `p`, `opening` (1/256 degree) wide and centred on `p`. The
// -1 that stands for an omitted opening is an opening of -1/256 degree.
Circle VEKS_MAKEARC(Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening);

// The arc of `radius` (16 fraction bits) about the crossing of the lines, from the first
// line's direction to the second's. Parallel lines meet in the far point, which is defined.
Circle VEKS_MAKEARCLINES(Stage& stage, CallMode mode, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words);

}  // namespace vekora
