// The circle and arc constructions: the circle about a centre through a point or touching a
// line, the arc about a centre symmetric about the direction to a point, and the arc of a
// given radius about the crossing of two lines. The protocol is that of construct/lines.h;
// every arc shows itself as a circle does.
#pragma once

#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The start and end angles of a circle statement (1/256 degree). A start of -1 makes a full
// circle whatever the end; otherwise both are taken as given, -1 included.
struct ArcAngles {
    std::int32_t start = -1;
    std::int32_t end = -1;
};

// The circle about `centre` through `p`.
Shown<Circle> VEKS_MAKECIRCLEP(const Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                        const ArcAngles& angles);

// The circle about `centre` touching `line`: its radius reaches the foot of the
// perpendicular from the centre. PACE first draws that radius with its right-angle mark.
Shown<Circle> VEKS_MAKECIRCLETANGENT(const Stage& stage, CallMode mode, const Point& centre, const Line& line,
                              const RingWords& words, const ArcAngles& angles);

// The arc about `centre` through `p`, `opening` (1/256 degree) wide and centred on `p`. The
// -1 that stands for an omitted opening is an opening of -1/256 degree.
Shown<Circle> VEKS_MAKEARC(const Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening);

// The arc of `radius` (16 fraction bits) about the crossing of the lines, from the first
// line's direction to the second's. Parallel lines meet in the far point, which is defined.
Shown<Circle> VEKS_MAKEARCLINES(const Stage& stage, CallMode mode, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words);

}  // namespace vekora
