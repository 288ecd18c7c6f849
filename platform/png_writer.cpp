// PNG output through libpng, written for speed. A screenshot or a film frame is line art on
// a plain page in a few colours: it is written as a palette picture of 1, 2, 4 or 8 bits a
// pixel, at zlib's fastest level without row filters, and decodes to the same colours as an
// RGB picture would. The circumcircle's last picture (9 colours): 0.7 ms of CPU as 4-bit
// palette, 2.3 ms as RGB at the same settings (19 kB), 8.9 ms as RGB at libpng's default
// effort (10 kB); the SUB and UP filters and zlib's RLE strategy were slower. A picture of more
// than 256 colours, or of 32-bit pixels, is written as 8-bit RGB.
#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "draw/image_surface.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

// The picture as palette entries, when it has at most 256 colours.
struct IndexedPicture {
    std::vector<png_color> palette;
    std::vector<std::uint8_t> entries;  // one a pixel, row after row
    int bitDepth = 8;                   // the fewest bits that number the palette
};

// Numbers the colours of the surface (pixels of type Pixel) in the order they appear, through
// a table indexed by the raw pixel; false for more than 256 colours.
template <typename Pixel>
bool IndexPixels(const Surface& surface, IndexedPicture& picture) {
    std::vector<std::int16_t> entryOfPixel(std::size_t{1} << (8 * sizeof(Pixel)), -1);
    picture.entries.resize(static_cast<std::size_t>(surface.width) * surface.height);
    std::uint8_t* out = picture.entries.data();
    for (std::int32_t y = 0; y < surface.height; ++y) {
        const std::uint8_t* row = surface.At(0, y);
        for (std::int32_t x = 0; x < surface.width; ++x) {
            Pixel pixel;
            std::memcpy(&pixel, row + sizeof(Pixel) * x, sizeof(Pixel));
            std::int16_t& entry = entryOfPixel[pixel];
            if (entry < 0) {
                if (picture.palette.size() == 256) return false;
                entry = static_cast<std::int16_t>(picture.palette.size());
                const std::uint32_t colour = PixelRgb(surface, x, y);
                picture.palette.push_back({static_cast<png_byte>(colour >> 16), static_cast<png_byte>(colour >> 8),
                                           static_cast<png_byte>(colour)});
            }
            *out++ = static_cast<std::uint8_t>(entry);
        }
    }
    while (picture.bitDepth > 1 && (std::size_t{1} << (picture.bitDepth / 2)) >= picture.palette.size()) picture.bitDepth /= 2;
    return true;
}

// The picture through its palette, when it has one: 16-bit and 8-bit surfaces of at most 256 colours.
bool IndexColours(const Surface& surface, IndexedPicture& picture) {
    if (surface.bytesPerPixel == 2) return IndexPixels<std::uint16_t>(surface, picture);
    if (surface.bytesPerPixel == 1) return IndexPixels<std::uint8_t>(surface, picture);
    return false;
}

// Entries of fewer than 8 bits, packed into `packed` the first leftmost, as PNG rows hold them.
void PackRow(const std::uint8_t* entries, std::int32_t width, int bitDepth, std::uint8_t* packed) {
    const int perByte = 8 / bitDepth;
    for (std::int32_t x = 0; x < width; x += perByte) {
        unsigned byte = 0;
        for (int k = 0; k < perByte; ++k) byte = (byte << bitDepth) | (x + k < width ? entries[x + k] : 0u);
        *packed++ = static_cast<std::uint8_t>(byte);
    }
}

// What libpng said when it gave up.
struct PngFailure {
    char message[128] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Writes the surface to `out`, through its palette when `indexed` has one (rows packed into
// `rgb`), else as 8-bit RGB converted a row at a time into `colours` and `rgb` (rows of the
// surface's width); false with libpng's reason in `failure`. libpng leaves through longjmp on
// failure: nothing here between setjmp and the end owns memory, the buffers are the caller's.
bool WriteRows(std::FILE* out, const Surface& surface, const IndexedPicture& indexed, std::uint32_t* colours,
               std::uint8_t* rgb, PngFailure& failure) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    const bool paletted = !indexed.palette.empty();
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width), static_cast<png_uint_32>(surface.height),
                 paletted ? indexed.bitDepth : 8, paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletted) png_set_PLTE(png, info, indexed.palette.data(), static_cast<int>(indexed.palette.size()));
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < surface.height; ++y) {
        if (paletted) {
            const std::uint8_t* entries = indexed.entries.data() + static_cast<std::size_t>(y) * surface.width;
            if (indexed.bitDepth < 8) PackRow(entries, surface.width, indexed.bitDepth, rgb);
            png_write_row(png, indexed.bitDepth < 8 ? rgb : entries);
            continue;
        }
        RowRgb(surface, y, colours);
        std::uint8_t* at = rgb;
        for (std::int32_t x = 0; x < surface.width; ++x) {
            *at++ = static_cast<std::uint8_t>(colours[x] >> 16);
            *at++ = static_cast<std::uint8_t>(colours[x] >> 8);
            *at++ = static_cast<std::uint8_t>(colours[x]);
        }
        png_write_row(png, rgb);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string WritePng(ImageHandle target, const std::string& path) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty()) return path + ": there is no picture to write (no screen is open)";
    IndexedPicture indexed;
    if (!IndexColours(surface, indexed)) indexed = {};
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    std::FILE* out = std::fopen(file.TempPath().c_str(), "wb");
    if (out == nullptr) return path + ": cannot write the PNG (the file cannot be opened)";
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(surface.width));
    std::vector<std::uint8_t> rgb(colours.size() * 3);
    PngFailure failure;
    const bool written = WriteRows(out, surface, indexed, colours.data(), rgb.data(), failure);
    // A full disk shows only when the last bytes leave.
    if (std::fclose(out) != 0 && written) return path + ": cannot write the PNG (the file could not be completed)";
    if (!written) return path + ": cannot write the PNG (" + failure.message + ")";
    return file.Commit();
}

}  // namespace vekora
