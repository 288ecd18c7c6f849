// The pixel view every raster operation works on, and the pixel formats of the three depths.
// Inner loops are templated on a format; one switch at the edge (WithFormat) picks it.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "draw/image.h"
#include "draw/image_scale.h"

namespace vekora {

static_assert(std::endian::native == std::endian::little, "image buffers are little-endian");

// A target resolved to its pixels. Rows are packed: the stride is width * bytesPerPixel.
struct Surface {
    std::uint8_t* pixels = nullptr;  // top-left pixel; null when there is nothing to draw on
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;
    std::int32_t scale = 1;  // pixels a page unit (draw/image_scale.h)

    bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
    std::size_t Stride() const { return static_cast<std::size_t>(width) * bytesPerPixel; }
    std::uint8_t* At(std::int32_t x, std::int32_t y) const {
        return pixels + static_cast<std::size_t>(y) * Stride() + static_cast<std::size_t>(x) * bytesPerPixel;
    }
};

// The image's pixels. A null handle, an image with an unknown depth or a zero size resolve
// to an empty surface.
Surface ResolveSurface(ImageHandle target);

// The colour a pixel shows, as 0xRRGGBB: 16-bit channels are widened by bit replication (so
// white stays 0xFFFFFF); an 8-bit index goes through the fixed palette.
std::uint32_t PixelRgb(const Surface& surface, std::int32_t x, std::int32_t y);

// Row y of the surface as the colours its pixels show (as PixelRgb), into `out` (width entries).
void RowRgb(const Surface& surface, std::int32_t y, std::uint32_t* out);

// The fixed palette of 8-bit surfaces: index bits RRRGGGBB, widened by bit replication.
std::uint32_t PaletteRgb(std::uint8_t index);

// Pixels are loaded and stored through memcpy: image buffers may come from byte arrays with
// no particular alignment.
template <typename P>
inline P LoadPixel(const std::uint8_t* at) {
    P pixel;
    std::memcpy(&pixel, at, sizeof pixel);
    return pixel;
}
template <typename P>
inline void StorePixel(std::uint8_t* at, P pixel) {
    std::memcpy(at, &pixel, sizeof pixel);
}

// dst + ((src - dst) * (alpha + 1) >> 8) for one channel; the shift floors, as specified.
inline std::int32_t BlendChannel(std::int32_t src, std::int32_t dst, std::int32_t alpha) {
    return dst + (((src - dst) * (alpha + 1)) >> 8);
}

// Each format also describes its pixels as lanes of a 64-bit word (SwarLow: 1 in every lane,
// SwarHigh: the top bit of every lane, SwarMask: the bits a key compares), so that a scan
// can test, and a fill write, several pixels at once.
struct Format8 {
    using Pixel = std::uint8_t;
    static constexpr Pixel Transparent = 0;
    static constexpr std::uint64_t SwarLow = 0x0101010101010101, SwarHigh = 0x8080808080808080, SwarMask = ~0ull;
    static Pixel Encode(std::uint32_t colour) { return static_cast<Pixel>(colour & 0xFF); }
    static std::uint32_t Key(Pixel pixel) { return pixel; }
    // Palette indices do not mix: a blended pixel is copied.
    static Pixel Blend(Pixel src, Pixel, std::int32_t) { return src; }
    static std::int32_t AlphaOf(Pixel) { return 255; }
};

struct Format16 {
    using Pixel = std::uint16_t;
    static constexpr Pixel Transparent = 0xF81F;
    static constexpr std::uint64_t SwarLow = 0x0001000100010001, SwarHigh = 0x8000800080008000, SwarMask = ~0ull;
    static Pixel Encode(std::uint32_t colour) {
        return static_cast<Pixel>(((colour >> 8) & 0xF800) | ((colour >> 5) & 0x07E0) | ((colour >> 3) & 0x001F));
    }
    static std::uint32_t Key(Pixel pixel) { return pixel; }
    // Each 5:6:5 channel blends in its own precision.
    static Pixel Blend(Pixel src, Pixel dst, std::int32_t alpha) {
        const std::int32_t r = BlendChannel(src >> 11, dst >> 11, alpha);
        const std::int32_t g = BlendChannel((src >> 5) & 0x3F, (dst >> 5) & 0x3F, alpha);
        const std::int32_t b = BlendChannel(src & 0x1F, dst & 0x1F, alpha);
        return static_cast<Pixel>((r << 11) | (g << 5) | b);
    }
    static std::int32_t AlphaOf(Pixel) { return 255; }
};

struct Format32 {
    using Pixel = std::uint32_t;
    static constexpr Pixel Transparent = 0xFFFF00FF;
    static constexpr std::uint64_t SwarLow = 0x0000000100000001, SwarHigh = 0x8000000080000000,
                                   SwarMask = 0x00FFFFFF00FFFFFF;
    // Drawing ignores bits 24 to 31 of a colour and writes opaque pixels.
    static Pixel Encode(std::uint32_t colour) { return 0xFF000000u | (colour & 0xFFFFFF); }
    // Colours compare on their red, green and blue only.
    static std::uint32_t Key(Pixel pixel) { return pixel & 0xFFFFFF; }
    static Pixel Blend(Pixel src, Pixel dst, std::int32_t alpha) {
        const std::int32_t r = BlendChannel((src >> 16) & 0xFF, (dst >> 16) & 0xFF, alpha);
        const std::int32_t g = BlendChannel((src >> 8) & 0xFF, (dst >> 8) & 0xFF, alpha);
        const std::int32_t b = BlendChannel(src & 0xFF, dst & 0xFF, alpha);
        return (dst & 0xFF000000u) | (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) |
               static_cast<Pixel>(b);
    }
    static std::int32_t AlphaOf(Pixel pixel) { return static_cast<std::int32_t>(pixel >> 24); }
};

// Runs body(Format) with the format of this depth; an unknown depth runs nothing.
template <typename Body>
void WithFormat(std::int32_t bytesPerPixel, Body&& body) {
    switch (bytesPerPixel) {
        case 1: body(Format8{}); break;
        case 2: body(Format16{}); break;
        case 4: body(Format32{}); break;
        default: break;
    }
}

// Callers must clip: sets pixels x0..x1 (inclusive) of row y.
// Pixels x0 to x1 of row y, a 64-bit word of them at a time (the pixel in every lane).
template <typename F>
void FillSpan(const Surface& surface, std::int32_t x0, std::int32_t x1, std::int32_t y, typename F::Pixel pixel) {
    std::uint8_t* at = surface.At(x0, y);
    std::uint8_t* const end = at + static_cast<std::ptrdiff_t>(x1 - x0 + 1) * static_cast<std::ptrdiff_t>(sizeof pixel);
    const std::uint64_t word = F::SwarLow * pixel;
    for (; end - at >= static_cast<std::ptrdiff_t>(sizeof word); at += sizeof word) std::memcpy(at, &word, sizeof word);
    for (; at < end; at += sizeof pixel) StorePixel(at, pixel);
}

// The first of `count` pixels from `at` whose key is `key` (or, when `Same` is false, is not
// `key`); `count` when there is none. Tests a 64-bit word of pixels at a time: with x the word
// XOR the key in every lane, (x - low) & ~x & high is non-zero exactly when some lane is zero.
template <typename F, bool Same = true>
std::int32_t FindKey(const std::uint8_t* at, std::int32_t count, std::uint32_t key) {
    using P = typename F::Pixel;
    constexpr std::int32_t Lanes = 8 / sizeof(P);
    const std::uint64_t broadcast = F::SwarLow * key;
    std::int32_t i = 0;
    for (; i + Lanes <= count; i += Lanes) {
        std::uint64_t word;
        std::memcpy(&word, at + static_cast<std::size_t>(i) * sizeof(P), sizeof word);
        const std::uint64_t x = (word ^ broadcast) & F::SwarMask;
        if (Same ? ((x - F::SwarLow) & ~x & F::SwarHigh) != 0 : x != 0) break;
    }
    for (; i < count; ++i) {
        if ((F::Key(LoadPixel<P>(at + static_cast<std::size_t>(i) * sizeof(P))) == key) == Same) return i;
    }
    return count;
}

// The whole pixel a coordinate falls in: the nearest integer, halves rounded up, so that
// strokes half a pixel apart land on neighbouring pixels. Kept as a double: a coordinate far
// outside any target does not fit an integer.
inline double PixelOf(double coordinate) { return std::floor(coordinate + 0.5); }

// Clamps a pixel coordinate into [low, high] and converts it (NaN is the caller's business).
inline std::int32_t ClampToInt(double value, std::int32_t low, std::int32_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return static_cast<std::int32_t>(value);
}

}  // namespace vekora
