// PNG pictures of a surface, as the viewer sees it: a palette picture when it has at most 256
// colours, else 8-bit RGB; either decodes to the colours shown.
#pragma once

#include <string>

#include "draw/image.h"

namespace vekora {

// Writes the target (null: the screen) to `path`, whole or not at all. Returns "" when written, else what went wrong.
// 16-bit pixels are widened by bit replication, so white stays 255, 255, 255.
std::string WritePng(ImageHandle target, const std::string& path);

}  // namespace vekora
