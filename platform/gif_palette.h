// Palettes of at most 256 colours for GIF frames. A frame with no more colours than that is
// mapped exactly; beyond that the most frequent colours are kept and the others take the
// nearest of them. The palette keeps its indices from frame to frame while the colours fit,
// so that unchanged pixels keep unchanged indices.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vekora {

constexpr int GifPaletteSize = 256;

class GifPalette {
public:
    // Maps a frame of 0xRRGGBB colours to indices. Returns false when the indices of earlier
    // frames no longer hold (the palette was rebuilt), so the frame must be sent whole.
    bool Map(const std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices);
    // Whether the last Map found every colour of its frame in the palette.
    bool Exact() const { return exact_; }
    // Appends colours (none already in the palette) in their order, so that a frame that
    // differs from the last one only by them maps exactly; false, changing nothing, when the
    // last frame was not mapped exactly or they do not fit.
    bool Extend(const std::vector<std::uint32_t>& colours);
    // The entry of a colour in the palette, or -1.
    int IndexOf(std::uint32_t colour) const;
    // Red, green, blue bytes of every entry in use (at least two entries).
    std::vector<std::uint8_t> Bytes() const;

private:
    void Rebuild(const std::unordered_map<std::uint32_t, std::uint32_t>& counts);
    std::uint8_t Nearest(std::uint32_t colour) const;

    std::vector<std::uint32_t> entries_;
    std::unordered_map<std::uint32_t, std::uint8_t> index_;
    bool exact_ = false;
};

}  // namespace vekora
