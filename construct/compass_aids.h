// The aids the compound constructions draw: short compass arcs.
#pragma once

#include <cstdint>

#include "geom/records.h"

namespace vekora {

// The short arc about `centre` through `through`, `opening` radians wide and centred on it,
// in the aid colour with a ring width of 1. Undefined when either point is.
Circle CompassArc(const Point& centre, const Point& through, double opening, std::uint32_t aidColour);

}  // namespace vekora
