// Lines in double precision, shared by RasterLine and the radii of pie sectors.
#pragma once

#include <cstdint>

#include "draw/image_surface.h"

namespace vekora {

// A one-pixel line between two points, both ends included, patterned by the 16-bit mask
// (most significant bit first, one bit a pixel from the first point). Clips to the surface;
// its cost follows the visible pixels, not its length. NaN draws nothing. Each bit of the mask
// covers `bitPixels` pixels (a render scale's dashes).
void DrawLine(const Surface& surface, double x1, double y1, double x2, double y2, std::uint32_t colour,
              std::uint16_t styleMask, std::int32_t bitPixels = 1);

// A line given in page units on a target of any render scale, as RasterLine kind 0 draws it,
// its area told to the target's watches.
void DrawPageLine(ImageHandle target, const Surface& surface, double x1, double y1, double x2, double y2,
                  std::uint32_t colour, std::uint16_t styleMask);

// A page coordinate as a pixel coordinate of a surface at render scale k: the centre of page
// pixel p is the centre of its k x k block, k * p + (k - 1) / 2.
inline double ScaledCoordinate(double page, std::int32_t k) { return k * page + (k - 1) / 2.0; }

}  // namespace vekora
