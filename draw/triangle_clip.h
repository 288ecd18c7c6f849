// The fill of a triangle larger than its target: the scratch image is the target itself,
// and the outline and seed come from what of the triangle crosses the target.
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// Callers have checked that no vertex is undefined.
void FillClippedTriangle(ImageHandle target, const Point& a, const Point& b, const Point& c, std::uint32_t colour,
                         std::int32_t alpha);

}  // namespace vekora
