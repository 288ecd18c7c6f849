// Flood fill by spans (Heckbert's seed fill): an explicit stack of row segments, never
// recursion, so a whole 8191-pixel-wide page fills in bounded stack space.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/image_surface.h"

namespace vekora {
namespace {

// Row y between x1 and x2 (inclusive) was filled; the row y + dy is to be scanned below it.
struct Segment {
    std::int32_t y, x1, x2, dy;
};

// A pixel may be filled when it is not of the border colour. When the border is the fill
// colour, filling a pixel makes it border, so no pixel is taken twice; otherwise a mark of
// the pixels already taken keeps the fill from revisiting them.
template <typename F>
class Region {
public:
    Region(const Surface& surface, std::uint32_t colour, std::uint32_t border)
        : surface_(surface), pixel_(F::Encode(colour)), borderKey_(F::Key(F::Encode(border))) {
        if (borderKey_ != F::Key(pixel_)) taken_.assign(static_cast<std::size_t>(surface.width) * surface.height, 0);
    }

    bool Open(std::int32_t x, std::int32_t y) const {
        if (F::Key(LoadPixel<typename F::Pixel>(surface_.At(x, y))) == borderKey_) return false;
        return taken_.empty() || taken_[Index(x, y)] == 0;
    }

    void Take(std::int32_t x1, std::int32_t x2, std::int32_t y) {
        FillSpan<F>(surface_, x1, x2, y, pixel_);
        if (!taken_.empty()) std::fill_n(taken_.begin() + static_cast<std::ptrdiff_t>(Index(x1, y)), x2 - x1 + 1, 1);
    }

    const Surface& surface() const { return surface_; }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * surface_.width + static_cast<std::size_t>(x);
    }
    Surface surface_;
    typename F::Pixel pixel_;
    std::uint32_t borderKey_;
    std::vector<std::uint8_t> taken_;
};

// Scans row s.y + s.dy under the parent segment, fills every run of open pixels that touches
// it (extended beyond it both ways), and queues the rows next to each run.
template <typename F>
void ScanSegment(Region<F>& region, const Segment& s, std::vector<Segment>& stack) {
    const std::int32_t y = s.y + s.dy;
    const std::int32_t width = region.surface().width;
    if (y < 0 || y >= region.surface().height) return;
    std::int32_t x = s.x1;
    if (region.Open(x, y)) {
        while (x > 0 && region.Open(x - 1, y)) --x;
    } else {
        while (x <= s.x2 && !region.Open(x, y)) ++x;
    }
    while (x <= s.x2) {
        const std::int32_t start = x;
        while (x < width && region.Open(x, y)) ++x;
        region.Take(start, x - 1, y);
        stack.push_back({y, start, x - 1, s.dy});
        // Where the run overhangs its parent, the row it came from needs scanning too.
        if (start < s.x1) stack.push_back({y, start, s.x1 - 1, -s.dy});
        if (x - 1 > s.x2) stack.push_back({y, s.x2 + 1, x - 1, -s.dy});
        while (x <= s.x2 && !region.Open(x, y)) ++x;
    }
}

template <typename F>
void FloodFill(const Surface& surface, std::int32_t seedX, std::int32_t seedY, std::uint32_t colour,
               std::uint32_t border) {
    Region<F> region(surface, colour, border);
    if (!region.Open(seedX, seedY)) return;
    std::int32_t left = seedX, right = seedX;
    while (left > 0 && region.Open(left - 1, seedY)) --left;
    while (right < surface.width - 1 && region.Open(right + 1, seedY)) ++right;
    region.Take(left, right, seedY);
    std::vector<Segment> stack{{seedY, left, right, 1}, {seedY, left, right, -1}};
    while (!stack.empty()) {
        const Segment segment = stack.back();
        stack.pop_back();
        ScanSegment(region, segment, stack);
    }
}

}  // namespace

void RasterFill(ImageHandle target, float x, float y, std::uint32_t colour, std::uint32_t border) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty()) return;
    const double px = PixelOf(x), py = PixelOf(y);
    if (!(px >= 0 && py >= 0 && px < surface.width && py < surface.height)) return;
    const std::uint32_t borderColour = border == NO_COLOUR ? colour : border;
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        FloodFill<decltype(format)>(surface, static_cast<std::int32_t>(px), static_cast<std::int32_t>(py), colour,
                                    borderColour);
    });
}

}  // namespace vekora
