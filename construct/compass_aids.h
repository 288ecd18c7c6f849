// The aids the compound constructions draw: short compass arcs and the midpoints they rest on.
#pragma once

#include <cstdint>

#include "geom/records.h"

namespace vekora {

// The short arc about `centre` through `through`, `opening` radians wide and centred on it,
// in the aid colour with a ring width of 1. Undefined when either point is.
Circle CompassArc(const Point& centre, const Point& through, double opening, std::uint32_t aidColour);

// The midpoint of a and b with a's colour, size and shape; undefined when either is (their
// sum would overflow to infinity instead).
Point Midpoint(const Point& a, const Point& b);

}  // namespace vekora
