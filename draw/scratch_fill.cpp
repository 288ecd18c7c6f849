// Filled shapes through a scratch image.
#include "draw/scratch_fill.h"

#include <memory>
#include <vector>

#include "draw/image_surface.h"

namespace vekora {

namespace {

struct ImageRelease {
    void operator()(std::uint8_t* image) const { ImageFree(image); }
};
using ScratchImage = std::unique_ptr<std::uint8_t, ImageRelease>;

// The scratch is measured in page units: at a render scale a page pixel reads as the middle of
// its block, where a flood seeded at it starts.
std::uint32_t PixelAt(ImageHandle image, const SurfaceSize&, std::int32_t x, std::int32_t y) {
    const std::int32_t k = ImageScale(image);
    return PixelValue(image, x * k + k / 2, y * k + k / 2);
}

// The pixels of the scratch border that are still empty, as (x, y) pairs.
std::vector<std::int32_t> EmptyBorder(ImageHandle image, const SurfaceSize& size, std::uint32_t empty) {
    std::vector<std::int32_t> cells;
    auto visit = [&](std::int32_t x, std::int32_t y) {
        if (PixelAt(image, size, x, y) == empty) {
            cells.push_back(x);
            cells.push_back(y);
        }
    };
    for (std::int32_t x = 0; x < size.width; ++x) {
        visit(x, 0);
        if (size.height > 1) visit(x, size.height - 1);
    }
    for (std::int32_t y = 1; y + 1 < size.height; ++y) {
        visit(0, y);
        if (size.width > 1) visit(size.width - 1, y);
    }
    return cells;
}

// Pixels this far outside the shape are never part of its outline or interior.
constexpr double LeakDistance = 1.5;
// Seeds of ScanInside lie at least this deep inside the shape.
constexpr double SeedDepth = 1.0;

bool FloodEscaped(ImageHandle image, const SurfaceSize& size, const std::vector<std::int32_t>& cells,
                  std::uint32_t empty, const ScratchFill& fill) {
    for (std::size_t i = 0; i < cells.size(); i += 2) {
        const std::int32_t x = cells[i];
        const std::int32_t y = cells[i + 1];
        if (PixelAt(image, size, x, y) != empty && fill.depth(x, y) < -LeakDistance) return true;
    }
    return false;
}

template <typename F>
void ScanRowsInside(ImageHandle image, const SurfaceSize& size, typename F::Pixel empty, const ScratchFill& fill) {
    using P = typename F::Pixel;
    const Surface surface = ResolveSurface(image);
    const std::int32_t k = surface.scale, middle = k / 2;
    for (std::int32_t y = 0; y < size.height; ++y) {
        const ColumnRun run =
            fill.reachingColumns ? fill.reachingColumns(y, size.width, SeedDepth) : ColumnRun{0, size.width - 1};
        const std::uint8_t* const row = surface.At(middle, y * k + middle);
        for (std::int32_t x = run.first; x <= run.last; ++x) {
            // Read again after every flood, which fills pixels further along.
            if (LoadPixel<P>(row + static_cast<std::size_t>(x) * k * sizeof(P)) == empty && fill.depth(x, y) >= SeedDepth) {
                RasterFill(image, static_cast<float>(x), static_cast<float>(y), fill.colour, NO_COLOUR);
            }
        }
    }
}

void ScanInside(ImageHandle image, const SurfaceSize& size, std::uint32_t empty, const ScratchFill& fill) {
    WithFormat(size.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        ScanRowsInside<F>(image, size, static_cast<typename F::Pixel>(empty), fill);
    });
}

// Sets every pixel back to the stored value `empty`, as the image was made.
void ClearScratch(ImageHandle image, const SurfaceSize&, std::uint32_t empty) {
    const Surface size = ResolveSurface(image);
    std::uint8_t* pixel = size.pixels;
    const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::int32_t b = 0; b < size.bytesPerPixel; ++b) *pixel++ = static_cast<std::uint8_t>(empty >> (8 * b));
    }
}

ScratchImage NewScratch(const PixelBox& box, std::int32_t bytesPerPixel, std::int32_t scale) {
    return ScratchImage(ImageNewOfDepth(box.width, box.height, bytesPerPixel, NO_COLOUR, scale));
}

}  // namespace

void MeasureByOutline(ScratchFill& fill, const ConvexOutline& outline) {
    fill.depth = [outline](double x, double y) { return outline.Depth(x, y); };
    fill.reachingColumns = [outline](std::int32_t y, std::int32_t width, double atLeast) {
        return outline.ColumnsReaching(y, width, atLeast);
    };
}

bool ExceedsTarget(const SurfaceSize& target, double width, double height) {
    constexpr double Slack = 65536.0;  // small shapes never count as too large
    if (!(width <= MaxImageWidth && height <= MaxImageWidth)) return true;
    return width * height > 4.0 * target.width * target.height + Slack;
}

void BlendThroughScratch(ImageHandle target, const ScratchFill& fill,
                         const std::function<void(ImageHandle scratch)>& outline) {
    const SurfaceSize targetSize = SurfaceInfo(target);
    if (fill.box.width <= 0 || fill.box.height <= 0) return;
    // The target's own depth, so that the blend never meets an image of another depth.
    ScratchImage scratch = NewScratch(fill.box, targetSize.bytesPerPixel, ImageScale(target));
    if (!scratch) return;
    const SurfaceSize size = SurfaceInfo(scratch.get());
    const std::uint32_t empty = PixelAt(scratch.get(), size, 0, 0);
    outline(scratch.get());
    const auto seedX = static_cast<float>(fill.seedX);
    const auto seedY = static_cast<float>(fill.seedY);
    switch (fill.rule) {
        case FloodRule::EnclosedSeed: {
            const std::vector<std::int32_t> border = EmptyBorder(scratch.get(), size, empty);
            RasterFill(scratch.get(), seedX, seedY, fill.colour, NO_COLOUR);
            if (FloodEscaped(scratch.get(), size, border, empty, fill)) {
                // The flood escaped: start again with the outline alone.
                ClearScratch(scratch.get(), size, empty);
                outline(scratch.get());
                break;
            }
            ScanInside(scratch.get(), size, empty, fill);
            break;
        }
        case FloodRule::TrustedSeed:
            RasterFill(scratch.get(), seedX, seedY, fill.colour, NO_COLOUR);
            ScanInside(scratch.get(), size, empty, fill);
            break;
        case FloodRule::ScanInside: ScanInside(scratch.get(), size, empty, fill); break;
        case FloodRule::OutlineOnly: break;
    }
    ImageBlit(target, static_cast<float>(fill.box.left), static_cast<float>(fill.box.top), scratch.get(),
              BlitMode::Blend, fill.alpha);
}

}  // namespace vekora
