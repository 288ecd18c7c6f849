// Flood fill by spans (Heckbert's seed fill): an explicit stack of row segments, never
// recursion, so a whole 8191-pixel-wide page fills in bounded stack space.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/drawn_area.h"
#include "draw/figure_listener.h"
#include "draw/image_surface.h"

namespace vekora {
namespace {

// Row y between x1 and x2 (inclusive) was filled; the row y + dy is to be scanned below it.
struct Segment {
    std::int32_t y, x1, x2, dy;
};

// A pixel may be filled when it is not of the border colour. When the border is the fill
// colour, filling a pixel makes it border, so no pixel is taken twice; otherwise (`Marked`) a
// mark of the pixels already taken keeps the fill from revisiting them.
template <typename F, bool Marked>
class Region {
public:
    Region(const Surface& surface, std::uint32_t colour, std::uint32_t border)
        : surface_(surface), pixel_(F::Encode(colour)), borderKey_(F::Key(F::Encode(border))) {
        if constexpr (Marked) taken_.assign(static_cast<std::size_t>(surface.width) * surface.height, 0);
    }

    bool Open(std::int32_t x, std::int32_t y) const {
        if (F::Key(LoadPixel<typename F::Pixel>(surface_.At(x, y))) == borderKey_) return false;
        if constexpr (Marked) return taken_[Index(x, y)] == 0;
        return true;
    }

    // Fills the open pixels from x to the right as it finds them; returns the first pixel not filled.
    std::int32_t TakeRight(std::int32_t x, std::int32_t y) {
        if constexpr (!Marked) {
            const std::int32_t end = x + FindKey<F>(surface_.At(x, y), surface_.width - x, borderKey_);
            if (end > x) FillSpan<F>(surface_, x, end - 1, y, pixel_);
            return end;
        }
        std::uint8_t* at = surface_.At(x, y);
        for (; x < surface_.width; ++x, at += sizeof(typename F::Pixel)) {
            if (F::Key(LoadPixel<typename F::Pixel>(at)) == borderKey_) break;
            if constexpr (Marked) {
                if (taken_[Index(x, y)] != 0) break;
                taken_[Index(x, y)] = 1;
            }
            StorePixel(at, pixel_);
        }
        return x;
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
template <typename R>
void ScanSegment(R& region, const Segment& s, std::vector<Segment>& stack) {
    const std::int32_t y = s.y + s.dy;
    if (y < 0 || y >= region.surface().height) return;
    std::int32_t x = s.x1;
    while (x <= s.x2) {
        if (!region.Open(x, y)) {
            ++x;
            continue;
        }
        std::int32_t start = x;
        if (x == s.x1) {
            while (start > 0 && region.Open(start - 1, y)) --start;
        }
        x = region.TakeRight(start, y);
        stack.push_back({y, start, x - 1, s.dy});
        // Where the run overhangs its parent, the row it came from needs scanning too.
        if (start < s.x1) stack.push_back({y, start, s.x1 - 1, -s.dy});
        if (x - 1 > s.x2) stack.push_back({y, s.x2 + 1, x - 1, -s.dy});
    }
}

template <typename F, bool Marked>
void FloodFill(const Surface& surface, std::int32_t seedX, std::int32_t seedY, std::uint32_t colour,
               std::uint32_t border) {
    Region<F, Marked> region(surface, colour, border);
    if (!region.Open(seedX, seedY)) return;
    // The seed's row is scanned first (from below, dy -1), which queues the row above its run
    // and the row below where the run overhangs the seed; the other entry covers the row
    // below the seed itself.
    std::vector<Segment> stack{{seedY, seedX, seedX, 1}, {seedY + 1, seedX, seedX, -1}};
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
    // At a render scale the seed is the middle of the page pixel's block.
    const std::int32_t k = surface.scale;
    const double px = PixelOf(x) * k + k / 2, py = PixelOf(y) * k + k / 2;
    if (!(px >= 0 && py >= 0 && px < surface.width && py < surface.height)) return;
    const std::uint32_t borderColour = border == NO_COLOUR ? colour : border;
    const auto seedX = static_cast<std::int32_t>(px), seedY = static_cast<std::int32_t>(py);
    NoteDrawnAll(target);
    FigureListener* listener = ListenerFor(target);
    const PixelRect whole = PixelRect::Whole(surface.width / k, surface.height / k);  // page units
    if (listener != nullptr) listener->RasterBefore(target, whole);
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        if (F::Key(F::Encode(borderColour)) == F::Key(F::Encode(colour))) {
            FloodFill<F, false>(surface, seedX, seedY, colour, borderColour);
        } else {
            FloodFill<F, true>(surface, seedX, seedY, colour, borderColour);
        }
    });
    if (listener != nullptr) listener->RasterAfter(target, whole);
}

}  // namespace vekora
