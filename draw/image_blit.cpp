// Copying images onto targets (transparent, plain, blended) and capturing a target's pixels.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/drawn_area.h"
#include "draw/figure_listener.h"
#include "draw/image_surface.h"

namespace vekora {
namespace {

// The part of a w x h picture placed with its top-left pixel at (x, y) that lies on a surface.
struct Overlap {
    std::int32_t dstX = 0, dstY = 0;  // first covered pixel of the surface
    std::int32_t srcX = 0, srcY = 0;  // the picture's pixel that lands there
    std::int32_t width = 0, height = 0;
};

bool Place(double x, double y, std::int32_t w, std::int32_t h, const Surface& surface, Overlap& overlap) {
    if (!(x + w > 0 && y + h > 0 && x < surface.width && y < surface.height)) return false;
    const auto left = static_cast<std::int32_t>(std::max(x, 0.0));
    const auto top = static_cast<std::int32_t>(std::max(y, 0.0));
    const auto right = static_cast<std::int32_t>(std::min<double>(x + w, surface.width));
    const auto bottom = static_cast<std::int32_t>(std::min<double>(y + h, surface.height));
    overlap = {left, top, static_cast<std::int32_t>(left - x), static_cast<std::int32_t>(top - y), right - left,
               bottom - top};
    return overlap.width > 0 && overlap.height > 0;
}

// The target's pixels an overlap covers.
PixelRect Covered(const Overlap& overlap) {
    return {overlap.dstX, overlap.dstY, overlap.dstX + overlap.width, overlap.dstY + overlap.height};
}

enum class PixelRule { Plain, SkipTransparent, Blend, OwnAlpha };

// The columns of a row a copy wrote, first to end - 1; empty when first >= end.
struct RowSpan {
    std::int32_t first = 0;
    std::int32_t end = 0;
    void Add(std::int32_t from, std::int32_t to) {
        if (from >= to) return;
        if (first >= end) first = from;
        end = to;
    }
};

// One row of `width` pixels; `to` and `from` are its first target and image pixels. Returns
// the columns it wrote.
template <typename F, PixelRule Rule>
RowSpan CopyRow(std::uint8_t* to, const std::uint8_t* from, std::int32_t width, std::int32_t alpha) {
    using P = typename F::Pixel;
    const std::uint32_t transparent = F::Key(F::Transparent);
    RowSpan wrote;
    if constexpr (Rule == PixelRule::OwnAlpha) {
        for (std::int32_t i = 0; i < width; ++i, to += sizeof(P), from += sizeof(P)) {
            const P pixel = LoadPixel<P>(from);
            const std::int32_t a = F::AlphaOf(pixel);
            // An alpha byte of 0 leaves the pixel alone, as an alpha of 0 does.
            if (F::Key(pixel) == transparent || a == 0) continue;
            StorePixel(to, a >= 255 ? pixel : F::Blend(pixel, LoadPixel<P>(to), a));
            wrote.Add(i, i + 1);
        }
        return wrote;
    }
    // Runs of transparent pixels are skipped and runs of the others copied or blended whole.
    for (std::int32_t i = 0; i < width;) {
        i += FindKey<F, false>(from + static_cast<std::size_t>(i) * sizeof(P), width - i, transparent);
        const std::int32_t run = FindKey<F>(from + static_cast<std::size_t>(i) * sizeof(P), width - i, transparent);
        std::uint8_t* out = to + static_cast<std::size_t>(i) * sizeof(P);
        const std::uint8_t* in = from + static_cast<std::size_t>(i) * sizeof(P);
        if constexpr (Rule == PixelRule::SkipTransparent) {
            std::memcpy(out, in, static_cast<std::size_t>(run) * sizeof(P));
        } else if (run > 0) {
            // A fill blends one colour over a mostly even ground: a pair of pixels like the
            // last one gets the last one's blend.
            P lastIn = LoadPixel<P>(in), lastOut = LoadPixel<P>(out);
            P blended = F::Blend(lastIn, lastOut, alpha);
            for (std::int32_t j = 0; j < run; ++j, out += sizeof(P), in += sizeof(P)) {
                const P pixelIn = LoadPixel<P>(in), pixelOut = LoadPixel<P>(out);
                if (pixelIn != lastIn || pixelOut != lastOut) {
                    lastIn = pixelIn;
                    lastOut = pixelOut;
                    blended = F::Blend(pixelIn, pixelOut, alpha);
                }
                StorePixel(out, blended);
            }
        }
        wrote.Add(i, i + run);
        i += run;
    }
    return wrote;
}

// Copies the rows; `spans` (when not null) gets the target columns each row wrote, as pairs.
template <typename F, PixelRule Rule>
void CopyRows(const Surface& dst, const Surface& src, const Overlap& o, std::int32_t alpha, std::int32_t* spans) {
    const std::size_t rowBytes = static_cast<std::size_t>(o.width) * dst.bytesPerPixel;
    for (std::int32_t row = 0; row < o.height; ++row) {
        std::uint8_t* to = dst.At(o.dstX, o.dstY + row);
        const std::uint8_t* from = src.At(o.srcX, o.srcY + row);
        if constexpr (Rule == PixelRule::Plain) {
            std::memmove(to, from, rowBytes);
        } else {
            const RowSpan wrote = CopyRow<F, Rule>(to, from, o.width, alpha);
            if (spans != nullptr && wrote.first < wrote.end) {
                spans[2 * row] = o.dstX + wrote.first;
                spans[2 * row + 1] = o.dstX + wrote.end;
            }
        }
    }
}

template <typename F>
void BlitRows(const Surface& dst, const Surface& src, const Overlap& o, BlitMode mode, std::int32_t alpha,
              std::int32_t* spans) {
    if (mode == BlitMode::Plain) {
        CopyRows<F, PixelRule::Plain>(dst, src, o, alpha, spans);
    } else if (mode == BlitMode::Transparent || alpha >= 255) {
        CopyRows<F, PixelRule::SkipTransparent>(dst, src, o, alpha, spans);
    } else if (alpha < 0) {
        CopyRows<F, PixelRule::OwnAlpha>(dst, src, o, alpha, spans);
    } else if (alpha > 0) {
        CopyRows<F, PixelRule::Blend>(dst, src, o, alpha, spans);
    }
}

// Blits the overlap and tells the target's watches what it wrote.
void BlitOverlap(ImageHandle target, const Surface& dst, const Surface& src, const Overlap& overlap, BlitMode mode,
                 std::int32_t alpha) {
    // A plain copy writes its whole rectangle; the others write where the picture is not
    // transparent, which watches learn row by row (a slanted instrument is a thin band).
    if (mode == BlitMode::Plain || !DrawingWatched(target)) {
        NoteDrawn(target, Covered(overlap));
        WithFormat(dst.bytesPerPixel,
                   [&](auto format) { BlitRows<decltype(format)>(dst, src, overlap, mode, alpha, nullptr); });
        return;
    }
    std::vector<std::int32_t> spans(2 * static_cast<std::size_t>(overlap.height), 0);
    WithFormat(dst.bytesPerPixel,
               [&](auto format) { BlitRows<decltype(format)>(dst, src, overlap, mode, alpha, spans.data()); });
    NoteDrawnRows(target, overlap.dstY, 1, spans.data(), overlap.height);
}

// The page units a rectangle of pixels at render `scale` touches.
PixelRect PageUnitsOf(const PixelRect& pixels, std::int32_t scale) {
    if (scale <= 1) return pixels;
    const auto down = [scale](std::int32_t v) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); };
    return {down(pixels.left), down(pixels.top), -down(-pixels.right), -down(-pixels.bottom)};
}

// Runs a copy of `image` onto `target` covering `area` of it (in page units), telling the target's listener: a
// plain copy of a picture it keeps puts that picture's figures back; any other copy changes
// pixels no figure describes.
template <typename Copy>
void CopyTold(ImageHandle target, ImageHandle image, std::int32_t x, std::int32_t y, bool plain, const PixelRect& area,
              Copy&& copy) {
    FigureListener* listener = ListenerFor(target);
    if (listener == nullptr) {
        copy();
        return;
    }
    const bool putBack = plain && listener->Keeps(image);
    if (!putBack) listener->RasterBefore(target, area);
    {
        const FigureToldAbove told;
        copy();
    }
    if (putBack) listener->PutBack(target, x, y, image);
    else listener->RasterAfter(target, area);
}

// Whether the images can be blitted one onto the other in this mode.
bool Blittable(const Surface& dst, const Surface& src, BlitMode mode) {
    return !dst.Empty() && !src.Empty() && dst.bytesPerPixel == src.bytesPerPixel &&
           (mode == BlitMode::Transparent || mode == BlitMode::Plain || mode == BlitMode::Blend);
}

}  // namespace

namespace {

// The image redrawn at another render scale, each pixel taken from the one it falls in (a
// bitmap made for one scale, such as the logo, shown on a page of another); null without memory.
OwnedImage Rescaled(const Surface& src, std::int32_t scale) {
    OwnedImage out(ImageNewOfDepth(src.width / src.scale, src.height / src.scale, src.bytesPerPixel, NO_COLOUR, scale));
    const Surface to = ResolveSurface(out.get());
    if (to.Empty()) return out;
    for (std::int32_t y = 0; y < to.height; ++y) {
        const std::int32_t fromY = std::min(y * src.scale / scale, src.height - 1);
        for (std::int32_t x = 0; x < to.width; ++x) {
            const std::int32_t fromX = std::min(x * src.scale / scale, src.width - 1);
            std::memcpy(to.At(x, y), src.At(fromX, fromY), static_cast<std::size_t>(src.bytesPerPixel));
        }
    }
    return out;
}

}  // namespace

void ImageBlit(ImageHandle target, float x, float y, ImageHandle image, BlitMode mode, std::int32_t alpha) {
    const Surface dst = ResolveSurface(target);
    Surface src = ResolveSurface(image);
    if (!Blittable(dst, src, mode)) return;
    OwnedImage rescaled;
    if (src.scale != dst.scale) {
        rescaled = Rescaled(src, dst.scale);
        src = ResolveSurface(rescaled.get());
        if (src.Empty()) return;
    }
    Overlap overlap;
    const double px = PixelOf(x), py = PixelOf(y);
    if (!Place(px * dst.scale, py * dst.scale, src.width, src.height, dst, overlap)) return;
    CopyTold(target, image, static_cast<std::int32_t>(px), static_cast<std::int32_t>(py), mode == BlitMode::Plain,
             PageUnitsOf(Covered(overlap), dst.scale), [&] { BlitOverlap(target, dst, src, overlap, mode, alpha); });
}

void ImageBlitWithin(ImageHandle target, ImageHandle image, const PixelRect& rect, BlitMode mode, std::int32_t alpha) {
    const Surface dst = ResolveSurface(target);
    const Surface src = ResolveSurface(image);
    if (!Blittable(dst, src, mode)) return;
    const PixelRect area = rect.ClippedTo(std::min(dst.width, src.width), std::min(dst.height, src.height));
    if (area.Empty()) return;
    const Overlap overlap{area.left, area.top, area.left, area.top, area.right - area.left, area.bottom - area.top};
    CopyTold(target, image, 0, 0, false, PageUnitsOf(area, dst.scale), [&] { BlitOverlap(target, dst, src, overlap, mode, alpha); });
}

void ImageCapture(ImageHandle source, float x1, float y1, float x2, float y2, ImageHandle image) {
    const Surface from = ResolveSurface(source);
    const Surface to = ResolveSurface(image);
    if (from.Empty() || to.Empty() || from.bytesPerPixel != to.bytesPerPixel) return;
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
    // At a render scale the rectangle's page pixels are their blocks.
    const std::int32_t k = from.scale;
    const double left = PixelOf(std::min(x1, x2)) * k, top = PixelOf(std::min(y1, y2)) * k;
    const double right = PixelOf(std::max(x1, x2)) * k + k - 1, bottom = PixelOf(std::max(y1, y2)) * k + k - 1;
    // The rectangle's pixels are copied to the image's top-left corner: place the image on the
    // source at (left, top) and copy what both cover, limited to the rectangle.
    Overlap overlap;
    const std::int32_t w = static_cast<std::int32_t>(std::min<double>(right - left + 1, to.width));
    const std::int32_t h = static_cast<std::int32_t>(std::min<double>(bottom - top + 1, to.height));
    if (!Place(left, top, w, h, from, overlap)) return;
    const std::size_t rowBytes = static_cast<std::size_t>(overlap.width) * from.bytesPerPixel;
    for (std::int32_t row = 0; row < overlap.height; ++row) {
        std::memmove(to.At(overlap.srcX, overlap.srcY + row), from.At(overlap.dstX, overlap.dstY + row), rowBytes);
    }
    NoteDrawn(image, {overlap.srcX, overlap.srcY, overlap.srcX + overlap.width, overlap.srcY + overlap.height});
}

static void CopyBands(ImageHandle target, std::int32_t x, std::int32_t y, const Surface& dst, const Surface& src,
               const DrawnArea& area);

void ImageCopyArea(ImageHandle target, std::int32_t x, std::int32_t y, ImageHandle image, const DrawnArea& area) {
    const Surface dst = ResolveSurface(target);
    const Surface src = ResolveSurface(image);
    if (dst.Empty() || src.Empty() || dst.bytesPerPixel != src.bytesPerPixel || area.Empty()) return;
    PixelRect reached = PageUnitsOf(area.Bounds(), dst.scale);
    reached.left += x;
    reached.right += x;
    reached.top += y;
    reached.bottom += y;
    // (x, y) is in page units, the area in pixels.
    CopyTold(target, image, x, y, true, reached,
             [&] { CopyBands(target, x * dst.scale, y * dst.scale, dst, src, area); });
}

// ImageCopyArea's copy, band by band, the area placed with its top-left at pixel (x, y).
static void CopyBands(ImageHandle target, std::int32_t x, std::int32_t y, const Surface& dst, const Surface& src,
               const DrawnArea& area) {
    // Band by band, each clipped to both images.
    area.ForEachBand([&](std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right) {
        const std::int64_t from = std::max<std::int64_t>({left, 0, -std::int64_t{x}});
        const std::int64_t to = std::min<std::int64_t>({right, src.width, std::int64_t{dst.width} - x});
        const std::int64_t first = std::max<std::int64_t>({top, 0, -std::int64_t{y}});
        const std::int64_t last = std::min<std::int64_t>({bottom, src.height, std::int64_t{dst.height} - y});
        if (from >= to || first >= last) return;
        for (std::int64_t row = first; row < last; ++row) {
            std::memmove(dst.At(static_cast<std::int32_t>(from + x), static_cast<std::int32_t>(row + y)),
                         src.At(static_cast<std::int32_t>(from), static_cast<std::int32_t>(row)),
                         static_cast<std::size_t>(to - from) * dst.bytesPerPixel);
        }
        NoteDrawn(target, PixelRect{static_cast<std::int32_t>(from + x), static_cast<std::int32_t>(first + y),
                                    static_cast<std::int32_t>(to + x), static_cast<std::int32_t>(last + y)});
    });
}

}  // namespace vekora
