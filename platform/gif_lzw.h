// The image data of a GIF frame: colour indices compressed with LZW, as the format has it
// (variable-width codes of at most 12 bits, least significant bit first, in sub-blocks of at
// most 255 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vekora {

// A rectangle of 8-bit colour indices, `width` x `height`, its rows `stride` bytes apart.
struct IndexRows {
    const std::uint8_t* first = nullptr;
    std::size_t width = 0, height = 0, stride = 0;
};

// Appends the frame's image data to `out`: the minimum code size, the codes in sub-blocks and
// the terminating empty block. Every index must be below 2^codeSizeBits; codeSizeBits is 2 to 8.
void AppendLzwImageData(std::vector<std::uint8_t>& out, int codeSizeBits, const IndexRows& rows);

}  // namespace vekora
