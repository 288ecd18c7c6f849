// The tangents from a point to a circle, shown by the Thales circle over the segment from the
// centre to the point (or, for a point on the circle, by the radius and its right angle). The
// protocol is that of construct/lines.h.
#pragma once

#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// From a point outside the circle: returns the tangent touching it on the left of the
// directed line from the centre towards P (as seen on the screen); secondOut becomes the one
// touching it on the right. From a point within 0.5 of the circle: the one tangent goes to
// secondOut and the result is undefined. Otherwise both are undefined and nothing is drawn.
// Unless an input is undefined, both lines carry the resolved colour, style and thickness
// even when undefined; secondOut's base point is undefined unless a tangent goes there.
Line VEKS_MAKETANGENT(Stage& stage, CallMode mode, const Point& p, const Circle& circle, Line& secondOut,
                      const StyleWords& words);

// What the showings of the tangents share.
struct TangentPlan {
    enum class Kind { None, OnCircle, Outside };
    Kind kind = Kind::None;
    Point p;
    Point centre;
    Circle circle;
    Line radius;      // OnCircle: the centre to P in the aid colour, default style, width 1
    Circle thales;    // Outside: the circle over centre-P, in the aid colour, width 1
    Point middle;     // Outside: its centre, as a point in the settings' default look
    Point touch1;     // Outside: on the right of centre -> P
    Point touch2;     // Outside: on the left
    Line second;      // the tangent at P (OnCircle), or P to touch1
    Line first;       // P to touch2 (Outside), else undefined
    StyleWords words; // as given
    std::uint32_t aidColour = 0;
};

// PACE: the radius or the Thales circle; then the tangents (at P with a right-angle mark).
void PaceTangents(Stage& stage, const TangentPlan& plan);

}  // namespace vekora
