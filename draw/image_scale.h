// The render scale an image was made at. Drawing calls always take page units; an image made
// at scale k holds k x k pixels for every page unit, and every raster operation on it draws
// k times finer (lines k pixels thick, dash bits k pixels long, glyphs made for k times the
// size). Images made without a scale (and every image a C caller builds itself) are at 1,
// where a page unit is a pixel.
#pragma once

#include <cstdint>

#include "draw/image.h"

namespace vekora {

constexpr std::int32_t MaxRenderScale = 8;

// The scale of an image: 1 for a null handle or an image made without one.
std::int32_t ImageScale(ImageHandle image);
// Records the scale of an image just made (1 forgets it). Called by the image constructors.
void SetImageScale(ImageHandle image, std::int32_t scale);

}  // namespace vekora
