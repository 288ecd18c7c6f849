// Images in the image-buffer layout: creation, size, colours, single pixels.
#include "draw/image.h"

#include <cstdlib>

#include "draw/drawn_area.h"
#include "draw/figure_listener.h"
#include "draw/image_blocks.h"
#include "draw/image_scale.h"
#include "draw/image_surface.h"

namespace vekora {
namespace {

std::uint16_t ReadU16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

void WriteU16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

bool KnownDepth(std::int32_t bytesPerPixel) {
    return bytesPerPixel == 1 || bytesPerPixel == 2 || bytesPerPixel == 4;
}

std::size_t ImageBytes(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel) {
    return ImageHeaderBytes + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                  static_cast<std::size_t>(bytesPerPixel);
}

}  // namespace

Surface ResolveSurface(ImageHandle target) {
    if (target == nullptr) return {};
    Surface surface;
    surface.width = ReadU16(target) >> 3;
    surface.bytesPerPixel = ReadU16(target) & 7;
    surface.height = ReadU16(target + 2);
    if (!KnownDepth(surface.bytesPerPixel) || surface.width == 0 || surface.height == 0) return {};
    surface.pixels = target + ImageHeaderBytes;
    surface.scale = ImageScale(target);
    return surface;
}

SurfaceSize SurfaceInfo(ImageHandle target) {
    if (target == nullptr) return {};
    // Sizes are page units: what drawing calls measure in.
    const std::int32_t scale = ImageScale(target);
    return {(ReadU16(target) >> 3) / scale, ReadU16(target + 2) / scale, ReadU16(target) & 7};
}

std::uint32_t TransparentColour(ImageHandle target) {
    return SurfaceInfo(target).bytesPerPixel > 1 ? TRANSPARENT : 0;
}

std::uint32_t EncodeColour(std::uint32_t colour, std::int32_t bytesPerPixel) {
    std::uint32_t value = 0;
    WithFormat(bytesPerPixel, [&](auto format) { value = decltype(format)::Encode(colour); });
    return value;
}

std::uint32_t PixelValue(ImageHandle target, std::int32_t x, std::int32_t y) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty() || x < 0 || y < 0 || x >= surface.width || y >= surface.height) return 0;
    std::uint32_t value = 0;
    std::memcpy(&value, surface.At(x, y), static_cast<std::size_t>(surface.bytesPerPixel));
    return value;
}

std::uint32_t PaletteRgb(std::uint8_t index) {
    const std::uint32_t r3 = index >> 5, g3 = (index >> 2) & 7, b2 = index & 3;
    const std::uint32_t r = (r3 << 5) | (r3 << 2) | (r3 >> 1);
    const std::uint32_t g = (g3 << 5) | (g3 << 2) | (g3 >> 1);
    const std::uint32_t b = b2 * 0x55;
    return (r << 16) | (g << 8) | b;
}

namespace {

std::uint32_t Rgb565(std::uint32_t pixel) {
    const std::uint32_t r5 = pixel >> 11, g6 = (pixel >> 5) & 0x3F, b5 = pixel & 0x1F;
    return (((r5 << 3) | (r5 >> 2)) << 16) | (((g6 << 2) | (g6 >> 4)) << 8) | ((b5 << 3) | (b5 >> 2));
}

template <typename P, typename Convert>
void ConvertRow(const std::uint8_t* at, std::int32_t width, std::uint32_t* out, Convert convert) {
    for (std::int32_t x = 0; x < width; ++x, at += sizeof(P)) out[x] = convert(LoadPixel<P>(at));
}

}  // namespace

void RowRgb(const Surface& surface, std::int32_t y, std::uint32_t* out) {
    const std::uint8_t* at = surface.At(0, y);
    switch (surface.bytesPerPixel) {
        case 1: ConvertRow<std::uint8_t>(at, surface.width, out, PaletteRgb); break;
        case 2: ConvertRow<std::uint16_t>(at, surface.width, out, Rgb565); break;
        case 4: ConvertRow<std::uint32_t>(at, surface.width, out, [](std::uint32_t p) { return p & 0xFFFFFF; }); break;
        default: break;
    }
}

std::uint32_t PixelRgb(const Surface& surface, std::int32_t x, std::int32_t y) {
    const std::uint8_t* at = surface.At(x, y);
    switch (surface.bytesPerPixel) {
        case 1: return PaletteRgb(*at);
        case 2: return Rgb565(LoadPixel<std::uint16_t>(at));
        case 4: return LoadPixel<std::uint32_t>(at) & 0xFFFFFF;
        default: return 0;
    }
}

ImageHandle ImageNewOfDepth(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel,
                            std::uint32_t colour, std::int32_t scale) {
    if (scale < 1 || scale > MaxRenderScale || width <= 0 || height <= 0 || width > MaxImageWidth || height > 0xFFFF) {
        return nullptr;
    }
    width *= scale;
    height *= scale;
    if (width <= 0 || width > MaxImageWidth || height <= 0 || height > 0xFFFF || !KnownDepth(bytesPerPixel) ||
        std::int64_t{width} * height > MaxImagePixels) {
        return nullptr;
    }
    std::uint8_t* image = TakeImageBlock(ImageBytes(width, height, bytesPerPixel));
    if (image == nullptr) return nullptr;
    WriteU16(image, (static_cast<std::uint32_t>(width) << 3) | static_cast<std::uint32_t>(bytesPerPixel));
    WriteU16(image + 2, static_cast<std::uint32_t>(height));
    const Surface surface = ResolveSurface(image);
    const std::uint32_t fill = colour == NO_COLOUR ? TRANSPARENT : colour;
    WithFormat(bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        const typename F::Pixel pixel = fill == TRANSPARENT ? F::Transparent : F::Encode(fill);
        FillSpan<F>(surface, 0, width - 1, 0, pixel);
        for (std::int32_t y = 1; y < height; ++y) std::memcpy(surface.At(0, y), surface.pixels, surface.Stride());
    });
    SetImageScale(image, scale);
    // A watch kept on an image freed at this address must not take this one for unchanged.
    NoteDrawnAll(image);
    return image;
}

ImageHandle ImageNewLike(ImageHandle model, std::uint32_t colour) {
    const SurfaceSize size = SurfaceInfo(model);
    if (size.width <= 0 || size.height <= 0) return nullptr;
    return ImageNewOfDepth(size.width, size.height, size.bytesPerPixel, colour, ImageScale(model));
}

void ImageFree(ImageHandle image) {
    if (FigureListener* listener = ListenerFor(image)) listener->Freed(image);
    SetImageScale(image, 1);
    GiveBackImageBlock(image);
}

ImageHandle ImageDuplicate(ImageHandle image) {
    const Surface size = ResolveSurface(image);
    if (size.Empty()) return nullptr;
    const std::size_t bytes = ImageBytes(size.width, size.height, size.bytesPerPixel);
    std::uint8_t* copy = TakeImageBlock(bytes);
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, image, bytes);
    SetImageScale(copy, ImageScale(image));
    NoteDrawnAll(copy);
    if (FigureListener* listener = ListenerFor(image)) listener->Copied(image, copy);
    return copy;
}

void RasterPixel(ImageHandle target, float x, float y, std::uint32_t colour) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty()) return;
    const std::int32_t k = surface.scale;
    const double px = PixelOf(x), py = PixelOf(y);
    // The negated comparisons also refuse NaN.
    if (!(px >= 0 && py >= 0 && px * k < surface.width && py * k < surface.height)) return;
    if (k > 1) {
        // The page pixel's block.
        RasterLine(target, static_cast<float>(px), static_cast<float>(py), static_cast<float>(px),
                   static_cast<float>(py), colour, LineKind::FilledBox, 0xFFFF);
        return;
    }
    NoteDrawn(target, PixelRect::Around(px, py, px, py, 0));
    if (FigureListener* listener = ListenerFor(target)) listener->Box(target, px, py, px, py, true, colour, 255);
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        StorePixel(surface.At(static_cast<std::int32_t>(px), static_cast<std::int32_t>(py)), F::Encode(colour));
    });
}

}  // namespace vekora
