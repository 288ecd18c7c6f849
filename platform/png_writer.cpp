// PNG output through libpng, written for speed. A screenshot or a film frame is line art on
// a plain page in a few colours: it is written as a palette picture of 1, 2, 4 or 8 bits a
// pixel, at zlib's fastest level without row filters, and decodes to the same colours as an
// RGB picture would. The circumcircle's last picture (9 colours, 9 kB as 4-bit palette):
// 2.3 ms of CPU as RGB at the same settings (19 kB), 8.9 ms as RGB at libpng's default effort
// (10 kB); the SUB and UP filters were slower, and zlib's RLE strategy, smaller windows and
// other memory levels no faster. Its whole write, file and rename included, takes about 1 ms
// (bench_png_write), two fifths of it in zlib. A picture of more than 256 colours, or of
// 32-bit pixels, is written as 8-bit RGB.
#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "draw/image_surface.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

// The colours of a picture of 8- or 16-bit pixels numbered in the order they first appear,
// at most 256, and its rows as those numbers. Line art lies in long runs of one colour: a run
// is passed over a machine word at a time, and only a pixel unlike the one before it is looked
// up, in a small open-addressed table.
template <typename Pixel>
class ColourNumbers {
public:
    // Numbers every colour of the surface into `palette`; false when it has more than 256.
    bool NumberAll(const Surface& surface, std::vector<png_color>& palette) {
        for (std::int32_t y = 0; y < surface.height; ++y) {
            const std::uint8_t* row = surface.At(0, y);
            for (std::int32_t x = 0; x < surface.width;) {
                const auto pixel = LoadPixel<Pixel>(row + sizeof(Pixel) * x);
                if (!Find(pixel)) {
                    if (palette.size() == 256) return false;
                    Add(pixel, static_cast<std::uint8_t>(palette.size()));
                    const std::uint32_t colour = PixelRgb(surface, x, y);
                    palette.push_back({static_cast<png_byte>(colour >> 16), static_cast<png_byte>(colour >> 8),
                                       static_cast<png_byte>(colour)});
                }
                x = RunEnd(row, x + 1, surface.width);
            }
        }
        return true;
    }

    // Row y as numbers of `bitDepth` bits (1, 2, 4 or 8) packed leftmost first, as PNG rows
    // hold them, the last byte padded with zeros, in a buffer of at least 8 bytes more than
    // the row. Every colour of the row was numbered.
    void PackRow(const Surface& surface, std::int32_t y, int bitDepth, std::uint8_t* packed) {
        const std::uint8_t* row = surface.At(0, y);
        const std::uint64_t fillOfNumber = 0xFFu / ((1u << bitDepth) - 1);  // a number repeated across a byte
        std::int32_t x = 0;
        // Eight pixels make bitDepth whole bytes.
        for (; x + 8 <= surface.width; x += 8) {
            const std::uint8_t* at = row + sizeof(Pixel) * x;
            if (EightAreLast(at)) {
                // All eight bytes are written; the row buffer has room for them past its end.
                StorePixel<std::uint64_t>(packed, lastNumber_ * fillOfNumber * 0x0101010101010101u);
                packed += bitDepth;
                continue;
            }
            std::uint64_t bits = 0;
            for (int k = 0; k < 8; ++k) bits = bits << bitDepth | Number(LoadPixel<Pixel>(at + sizeof(Pixel) * k));
            for (int byte = bitDepth - 1; byte >= 0; --byte) *packed++ = static_cast<std::uint8_t>(bits >> (8 * byte));
        }
        const std::int32_t left = surface.width - x;
        if (left == 0) return;
        std::uint64_t bits = 0;
        for (int k = 0; k < 8; ++k) bits = bits << bitDepth | (k < left ? Number(LoadPixel<Pixel>(row + sizeof(Pixel) * (x + k))) : 0u);
        for (int byte = bitDepth - 1; byte >= bitDepth - (left * bitDepth + 7) / 8; --byte) {
            *packed++ = static_cast<std::uint8_t>(bits >> (8 * byte));
        }
    }

private:
    static constexpr std::size_t Slots = 1024;  // four times the most colours: probes stay short
    static constexpr std::uint64_t EveryPixel = ~std::uint64_t{0} / static_cast<Pixel>(~Pixel{0});  // 0x0101... or 0x00010001...

    static std::size_t SlotOf(Pixel pixel) { return (pixel * 2654435761u) >> 22 & (Slots - 1); }

    // Whether the pixel's colour is numbered; it becomes the last one looked up.
    bool Find(Pixel pixel) {
        if (hasLast_ && pixel == last_) return true;
        for (std::size_t slot = SlotOf(pixel);; slot = (slot + 1) & (Slots - 1)) {
            if (keys_[slot] == 0) return false;
            if (keys_[slot] == pixel + 1u) {
                SetLast(pixel, numbers_[slot]);
                return true;
            }
        }
    }

    void Add(Pixel pixel, std::uint8_t number) {
        std::size_t slot = SlotOf(pixel);
        while (keys_[slot] != 0) slot = (slot + 1) & (Slots - 1);
        keys_[slot] = pixel + 1u;
        numbers_[slot] = number;
        SetLast(pixel, number);
    }

    std::uint8_t Number(Pixel pixel) {
        Find(pixel);
        return lastNumber_;
    }

    void SetLast(Pixel pixel, std::uint8_t number) {
        last_ = pixel;
        lastWord_ = pixel * EveryPixel;
        lastNumber_ = number;
        hasLast_ = true;
    }

    // The first pixel at or after x that differs from the last colour looked up.
    std::int32_t RunEnd(const std::uint8_t* row, std::int32_t x, std::int32_t width) const {
        constexpr std::int32_t PerWord = sizeof(std::uint64_t) / sizeof(Pixel);
        while (x + PerWord <= width && LoadPixel<std::uint64_t>(row + sizeof(Pixel) * x) == lastWord_) x += PerWord;
        while (x < width && LoadPixel<Pixel>(row + sizeof(Pixel) * x) == last_) ++x;
        return x;
    }

    // Whether the eight pixels at `at` are all of the last colour looked up.
    bool EightAreLast(const std::uint8_t* at) const {
        for (std::size_t word = 0; word < sizeof(Pixel); ++word) {
            if (LoadPixel<std::uint64_t>(at + sizeof(std::uint64_t) * word) != lastWord_) return false;
        }
        return hasLast_;
    }

    std::array<std::uint32_t, Slots> keys_{};  // pixel + 1; 0 for an empty slot
    std::array<std::uint8_t, Slots> numbers_{};
    Pixel last_ = 0;
    std::uint64_t lastWord_ = 0;  // the last colour in every pixel of a word
    std::uint8_t lastNumber_ = 0;
    bool hasLast_ = false;
};

// A picture written through its palette: the colours, the fewest bits that number them, and
// the table of the surface's pixel size that numbers its rows.
struct IndexedPicture {
    std::vector<png_color> palette;  // empty: the picture is written as RGB
    int bitDepth = 8;
    ColourNumbers<std::uint16_t> wide;
    ColourNumbers<std::uint8_t> narrow;

    // Numbers the colours of a 16-bit or 8-bit surface; false (and no palette) for more than
    // 256 colours or for 32-bit pixels.
    bool Number(const Surface& surface) {
        const bool numbered = surface.bytesPerPixel == 2   ? wide.NumberAll(surface, palette)
                              : surface.bytesPerPixel == 1 ? narrow.NumberAll(surface, palette)
                                                           : false;
        if (!numbered) {
            palette.clear();
            return false;
        }
        while (bitDepth > 1 && (std::size_t{1} << (bitDepth / 2)) >= palette.size()) bitDepth /= 2;
        return true;
    }

    void PackRow(const Surface& surface, std::int32_t y, std::uint8_t* packed) {
        if (surface.bytesPerPixel == 2) wide.PackRow(surface, y, bitDepth, packed);
        else narrow.PackRow(surface, y, bitDepth, packed);
    }
};

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
bool WriteRows(std::FILE* out, const Surface& surface, IndexedPicture& indexed, std::uint32_t* colours,
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
#ifdef PNG_WRITE_CHECK_FOR_INVALID_INDEX_SUPPORTED
    // Every number written comes from the palette: libpng's search of each row for one beyond
    // it cost a tenth of the write.
    png_set_check_for_invalid_index(png, 0);
#endif
    png_write_info(png, info);
    for (std::int32_t y = 0; y < surface.height; ++y) {
        if (paletted) {
            indexed.PackRow(surface, y, rgb);
            png_write_row(png, rgb);
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
    indexed.Number(surface);
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    std::FILE* out = std::fopen(file.TempPath().c_str(), "wb");
    if (out == nullptr) return path + ": cannot write the PNG (the file cannot be opened)";
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(surface.width));
    std::vector<std::uint8_t> rgb(colours.size() * 3 + sizeof(std::uint64_t));  // room for a packed row's last word
    PngFailure failure;
    const bool written = WriteRows(out, surface, indexed, colours.data(), rgb.data(), failure);
    // A full disk shows only when the last bytes leave.
    if (std::fclose(out) != 0 && written) return path + ": cannot write the PNG (the file could not be completed)";
    if (!written) return path + ": cannot write the PNG (" + failure.message + ")";
    return file.Commit();
}

}  // namespace vekora
