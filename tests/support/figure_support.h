// Records and checks shared by the figure, fill and mark tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geom/records.h"
#include "tests/support/raster_support.h"

namespace vekora::testing {

inline Point At(double x, double y, std::uint32_t colour = Ink, std::int16_t size = 0, std::int16_t shape = 1) {
    return Point{x, y, colour, size, shape};
}

inline Line Look(std::int16_t thickness, std::uint32_t colour = Ink, std::int16_t style = -1) {
    return Line{0.0, 0.0, 1.0, 0.0, colour, style, thickness};
}

inline Line Through(double x0, double y0, double dx, double dy, std::int16_t thickness = 1) {
    return Line{x0, y0, dx, dy, Ink, -1, thickness};
}

struct PixelBounds {
    std::int32_t left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool operator==(const PixelBounds&) const = default;
};

// The smallest box holding every pixel of the colour, pixels listed in `ignore` aside.
inline PixelBounds BoundsOf(const Canvas& canvas, std::uint32_t colour,
                            const std::vector<std::pair<int, int>>& ignore = {}) {
    PixelBounds b;
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            bool skip = false;
            for (const auto& [ix, iy] : ignore) skip = skip || (ix == x && iy == y);
            if (skip || !canvas.Is(x, y, colour)) continue;
            b.left = std::min(b.left, x);
            b.top = std::min(b.top, y);
            b.right = std::max(b.right, x);
            b.bottom = std::max(b.bottom, y);
        }
    }
    return b;
}

}  // namespace vekora::testing
