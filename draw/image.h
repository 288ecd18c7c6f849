// Images in memory and the raster operations every figure, glyph and picture goes through.
//
// An image is one allocation in the image-buffer layout the system also builds and reads
// itself (glyphs, the logo):
//   u16  (width << 3) | bytes per pixel   (1, 2 or 4; width at most 8191)
//   u16  height
//   height rows of width pixels, top row first; a pixel is a palette index (1 byte),
//   5:6:5 (2 bytes) or 0xAARRGGBB (4 bytes), little-endian.
// A null ImageHandle is no image: drawing on it does nothing and it has no size. (A C
// caller's null target means the screen; its wrappers turn that into the screen's image.)
#pragma once

#include <cstdint>
#include <memory>

namespace vekora {

using ImageHandle = std::uint8_t*;

constexpr std::uint32_t TRANSPARENT = 0xFF00FF;   // 0 on 8-bit surfaces
constexpr std::uint32_t NO_COLOUR = 0xFEFF00FF;   // "no colour meant"
constexpr std::int32_t MaxImageWidth = 8191;
// The most pixels one image (the screen, the page, any picture) holds: 4096 x 4096, 32 MiB at
// the window's 16 bits. A run keeps several images of the screen's size (page, entry and
// working pictures, the recorders' frames), so this bounds a run's memory to a few hundred MB
// while no lesson comes near it.
constexpr std::int64_t MaxImagePixels = std::int64_t{4096} * 4096;
constexpr int ImageHeaderBytes = 4;

struct SurfaceSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;
};

// The copy modes of ImageBlit.
enum class BlitMode : std::int32_t { Transparent = 0, Plain = 1, Blend = 6 };

// The kinds of RasterLine.
enum class LineKind : std::int32_t { Line = 0, Box = 1, FilledBox = 2 };

// The size in page units (pixels divided by the image's render scale) and the depth.
SurfaceSize SurfaceInfo(ImageHandle target);
std::uint32_t TransparentColour(ImageHandle target);

// A new image of `bytesPerPixel` (1, 2 or 4), every pixel `colour` (TRANSPARENT for NO_COLOUR),
// `width` x `height` page units drawn at render `scale` (draw/image_scale.h): scale x width
// pixels wide. Returns null when the pixel size cannot be represented (0, negative, wider
// than 8191 or higher than 65535), is more than MaxImagePixels, the scale is outside 1 to 8,
// or the memory cannot be had. Images are one malloc'd block: ImageFree frees it.
ImageHandle ImageNewOfDepth(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel,
                            std::uint32_t colour, std::int32_t scale = 1);
void ImageFree(ImageHandle image);
// A new image of the size, depth and render scale of `model`, every pixel `colour`; null for
// no model or no memory.
ImageHandle ImageNewLike(ImageHandle model, std::uint32_t colour);
// A new image with the size, depth and pixels of `image`; null for no image or no memory.
ImageHandle ImageDuplicate(ImageHandle image);

struct ImageFreer {
    void operator()(std::uint8_t* image) const { ImageFree(image); }
};
// An image its holder made and frees when it lets go of it; empty means none.
using OwnedImage = std::unique_ptr<std::uint8_t, ImageFreer>;

// The value a colour is stored as in a pixel of this depth (bytes per pixel 1, 2 or 4).
std::uint32_t EncodeColour(std::uint32_t colour, std::int32_t bytesPerPixel);
// The stored value of one pixel of the target, 0 outside it.
std::uint32_t PixelValue(ImageHandle target, std::int32_t x, std::int32_t y);

void RasterLine(ImageHandle target, float x1, float y1, float x2, float y2, std::uint32_t colour,
                LineKind kind, std::uint16_t styleMask);
void RasterEllipse(ImageHandle target, float cx, float cy, float r, std::uint32_t colour, float aspect,
                   float start, float end, std::int32_t fill);
void RasterPixel(ImageHandle target, float x, float y, std::uint32_t colour);
void RasterFill(ImageHandle target, float x, float y, std::uint32_t colour, std::uint32_t border);
void ImageBlit(ImageHandle target, float x, float y, ImageHandle image, BlitMode mode, std::int32_t alpha);
void ImageCapture(ImageHandle source, float x1, float y1, float x2, float y2, ImageHandle image);

class DrawnArea;
struct PixelRect;
// The pixels of `rect` only of a blit of the whole image at (0, 0): the image's pixels there
// put on the target as ImageBlit would put them; the rest of the target stays as it is.
void ImageBlitWithin(ImageHandle target, ImageHandle image, const PixelRect& rect, BlitMode mode, std::int32_t alpha);
// The pixels of `area` of the image copied onto the target as a plain blit of the whole image
// at (x, y) would copy them; the rest of the target stays as it is. (x, y) is in page units,
// `area` (as `rect` above) in pixels of images of one render scale.
void ImageCopyArea(ImageHandle target, std::int32_t x, std::int32_t y, ImageHandle image, const DrawnArea& area);

}  // namespace vekora
