// Draws the logo (215 x 60, 16-bit) and the window icon (64 x 64, 32-bit with alpha) and
// writes them as image buffers: logo16.bin and appicon.bin in the given folder, the icon the
// desktop shows as icon/vekora-64.png (with alpha) and icon/vekora.svg (the same drawing
// calls, scalable), and, when a second folder is given, enlarged previews logo.png and
// icon.png to look at.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include <png.h>

#include "canvas.h"
#include "draw/font.h"
#include "platform/png_writer.h"
#include "svg_picture.h"

namespace vekora::logogen {
namespace {

constexpr std::int32_t Scale = 4;
constexpr std::int32_t LogoWidth = 215;
constexpr std::int32_t LogoHeight = 60;
constexpr std::int32_t IconSize = 64;

constexpr std::uint32_t NavyTop = 0x224477;
constexpr std::uint32_t NavyBottom = 0x122447;
constexpr std::uint32_t Gold = 0xF4B940;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Mist = 0xA9C1E6;

constexpr double Degree = std::numbers::pi / 180;

Spot OnCircle(Spot centre, double radius, double degrees) {
    return {centre.x + radius * std::cos(degrees * Degree), centre.y - radius * std::sin(degrees * Degree)};
}

// A triangle inscribed in its circumcircle, as a compass draws it: the gold circle, the
// white sides over a faint fill, and the corners marked. Drawn on a Canvas or an SvgPicture.
template <typename Picture>
void DrawEmblem(Picture& canvas, Spot centre, double radius, double weight) {
    const Spot a = OnCircle(centre, radius, 100);
    const Spot b = OnCircle(centre, radius, 212);
    const Spot c = OnCircle(centre, radius, 332);
    canvas.Ring(centre, radius, radius * 0.085 * weight, Gold);
    canvas.Triangle(a, b, c, White, 46);
    const double side = radius * 0.1 * weight;
    canvas.Stroke(a, b, side, White);
    canvas.Stroke(b, c, side, White);
    canvas.Stroke(c, a, side, White);
    for (const Spot corner : {a, b, c}) {
        canvas.Disc(corner, radius * 0.15, Gold);
        canvas.Disc(corner, radius * 0.07, NavyBottom);
    }
}

Font LoadFont(const char* name) {
    Font font;
    if (LoadFontResource(name, font) != 0) std::fprintf(stderr, "logogen: no resident font %s\n", name);
    return font;
}

std::vector<std::uint8_t> DrawLogo() {
    const Font large = LoadFont("sans64");
    const Font small = LoadFont("sans24");
    Canvas canvas(LogoWidth, LogoHeight, Scale);
    canvas.VerticalGradient(0, 0, LogoWidth, LogoHeight, NavyTop, NavyBottom);
    DrawEmblem(canvas, {31, 30}, 22, 1.0);
    canvas.Text("Vekora", ViewOf(large), 62, 2, 0.5, White, 2);
    canvas.Text("geometr\xED" "a paso a paso", ViewOf(small), 64, 42, 0.5, Mist);
    return canvas.Reduce16(NavyBottom);
}

template <typename Picture>
void DrawIconOn(Picture& picture) {
    picture.VerticalGradient(1, 1, IconSize - 1, IconSize - 1, NavyTop, NavyBottom, 12);
    DrawEmblem(picture, {IconSize / 2.0, IconSize / 2.0 + 1}, 23, 1.3);
}

std::vector<std::uint8_t> DrawIcon() {
    Canvas canvas(IconSize, IconSize, Scale);
    DrawIconOn(canvas);
    return canvas.Reduce32();
}

std::string DrawScalableIcon() {
    SvgPicture picture(IconSize, IconSize);
    DrawIconOn(picture);
    return picture.Text();
}

// A 32-bit image buffer (0xAARRGGBB little-endian: bytes B, G, R, A) as a PNG with alpha.
bool WriteIconPng(const std::vector<std::uint8_t>& icon, const std::string& path) {
    const SurfaceSize size = SurfaceInfo(const_cast<std::uint8_t*>(icon.data()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size.width);
    image.height = static_cast<png_uint_32>(size.height);
    image.format = PNG_FORMAT_BGRA;
    const bool good = png_image_write_to_file(&image, path.c_str(), 0, icon.data() + ImageHeaderBytes, 0, nullptr) != 0;
    if (!good) std::fprintf(stderr, "logogen: cannot write %s (%s)\n", path.c_str(), image.message);
    png_image_free(&image);
    return good;
}

template <typename Bytes>
bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) std::fprintf(stderr, "logogen: cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

// A 32-bit picture of the image enlarged `factor` times, over `matte` where it has alpha.
std::vector<std::uint8_t> Enlarged(ImageHandle image, std::int32_t factor, std::uint32_t matte) {
    const SurfaceSize size = SurfaceInfo(image);
    std::vector<std::uint8_t> out(ImageHeaderBytes + std::size_t{4} * size.width * factor * size.height * factor);
    ImageHandle picture = out.data();
    const auto word0 = static_cast<std::uint16_t>((size.width * factor << 3) | 4);
    const auto word1 = static_cast<std::uint16_t>(size.height * factor);
    std::memcpy(picture, &word0, 2);
    std::memcpy(picture + 2, &word1, 2);
    for (std::int32_t y = 0; y < size.height * factor; ++y) {
        for (std::int32_t x = 0; x < size.width * factor; ++x) {
            std::uint32_t value = PixelValue(image, x / factor, y / factor);
            if (size.bytesPerPixel == 2) {
                value = ((value >> 11) * 255 / 31) << 16 | (((value >> 5) & 63) * 255 / 63) << 8 | (value & 31) * 255 / 31;
            } else {
                const std::uint32_t alpha = value >> 24;
                std::uint32_t mixed = 0;
                for (const int shift : {16, 8, 0}) {
                    const std::uint32_t channel = (((value >> shift) & 0xFF) * alpha + ((matte >> shift) & 0xFF) * (255 - alpha)) / 255;
                    mixed |= channel << shift;
                }
                value = mixed;
            }
            std::memcpy(picture + ImageHeaderBytes + (std::size_t{1} * y * size.width * factor + x) * 4, &value, 4);
        }
    }
    return out;
}

bool WritePreviews(const std::string& folder, std::vector<std::uint8_t>& logo, std::vector<std::uint8_t>& icon) {
    bool good = true;
    for (const auto& [name, image, factor, matte] :
         {std::tuple{"logo.png", logo.data(), 3, 0u}, std::tuple{"logo-1x.png", logo.data(), 1, 0u},
          std::tuple{"icon.png", icon.data(), 4, 0xF4F4F4u}, std::tuple{"icon-dark.png", icon.data(), 4, 0x303030u},
          std::tuple{"icon-1x.png", icon.data(), 1, 0xF4F4F4u}}) {
        std::vector<std::uint8_t> picture = Enlarged(image, factor, matte);
        const std::string problem = WritePng(picture.data(), folder + "/" + name);
        if (!problem.empty()) std::fprintf(stderr, "logogen: %s\n", problem.c_str());
        good = good && problem.empty();
    }
    return good;
}

}  // namespace
}  // namespace vekora::logogen

int main(int argc, char** argv) {
    using namespace vekora::logogen;
    if (argc < 2) {
        std::fprintf(stderr, "usage: logogen RESOURCE-FOLDER [PREVIEW-FOLDER]\n");
        return 2;
    }
    std::vector<std::uint8_t> logo = DrawLogo();
    std::vector<std::uint8_t> icon = DrawIcon();
    const std::string folder = argv[1];
    bool good = WriteFile(folder + "/logo16.bin", logo) && WriteFile(folder + "/appicon.bin", icon);
    good = WriteIconPng(icon, folder + "/icon/vekora-64.png") && WriteFile(folder + "/icon/vekora.svg", DrawScalableIcon()) && good;
    if (argc > 2) good = WritePreviews(argv[2], logo, icon) && good;
    return good ? 0 : 1;
}
