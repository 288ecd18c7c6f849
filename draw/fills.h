// Filled triangles, discs, sectors and rectangles, blended onto a target with an alpha
// (0 draws nothing, 255 is opaque). Each returns 0, or UNDEFINED_CODE when a figure it needs
// is undefined (nothing drawn).
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// An alpha of -1 means opaque and is written back as 255 into `alpha`.
std::int32_t FillTriangle(ImageHandle target, const Point& a, const Point& b, const Point& c, std::uint32_t colour,
                          std::int32_t& alpha);
// A full disc when start = end = 0, else the sector from start to end; negative angles are
// turned into [0, 2pi) by adding 2pi and written back into `circle`.
std::int32_t FillCircle(ImageHandle target, Circle& circle, std::uint32_t colour, std::int32_t alpha);
// The rectangle standing on p1-p2 at `height`.
std::int32_t FillRect(ImageHandle target, const Point& p1, const Point& p2, double height, std::uint32_t colour,
                      std::int32_t alpha);

}  // namespace vekora
