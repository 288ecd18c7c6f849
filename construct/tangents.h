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
Shown<Line> VEKS_MAKETANGENT(const Stage& stage, CallMode mode, const Point& p, const Circle& circle, Line& secondOut,
                      const StyleWords& words);

}  // namespace vekora
