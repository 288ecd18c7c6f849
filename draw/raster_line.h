// Lines in double precision, shared by RasterLine and the radii of pie sectors.
#pragma once

#include <cstdint>

#include "draw/image_surface.h"

namespace vekora {

// A one-pixel line between two points, both ends included, patterned by the 16-bit mask
// (most significant bit first, one bit a pixel from the first point). Clips to the surface;
// its cost follows the visible pixels, not its length. NaN draws nothing.
void DrawLine(const Surface& surface, double x1, double y1, double x2, double y2, std::uint32_t colour,
              std::uint16_t styleMask);

}  // namespace vekora
