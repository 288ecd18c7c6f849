// The circle constructions: about a centre through a point, and about a centre touching a
// line. The protocol is that of construct/lines.h.
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
Circle VEKS_MAKECIRCLEP(Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                        const ArcAngles& angles);

// The circle about `centre` touching `line`: its radius reaches the foot of the
// perpendicular from the centre. PACE first draws that radius with its right-angle mark.
Circle VEKS_MAKECIRCLETANGENT(Stage& stage, CallMode mode, const Point& centre, const Line& line,
                              const RingWords& words, const ArcAngles& angles);

// What the showings of a touching circle share.
struct CircleTangentPlan {
    Point centre;
    Line line;           // the line the circle touches
    Line perpendicular;  // through the centre, in the line's look
    Point foot;          // where the perpendicular meets the line
    Line aid;            // the look of the radius to the foot: aid colour, default style, width 1
    Circle circle;
};

// Shows one finished circle or arc by the call's mode (circles, arcs, arcs between lines).
void ShowCircle(Stage& stage, CallMode mode, const Circle& circle);

// PACE: the circle, shown and followed by a pause.
void PaceCircle(Stage& stage, const Circle& circle);
// PACE: the radius to the foot with its right-angle mark, then the circle.
void PaceCircleTangent(Stage& stage, const CircleTangentPlan& plan);

}  // namespace vekora
