// PNG output through libpng's simplified writing interface.
#include "platform/png_writer.h"

#include <png.h>

#include <vector>

#include "draw/image_surface.h"
#include "platform/whole_file.h"

namespace vekora {

std::string WritePng(ImageHandle target, const std::string& path) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty()) return path + ": there is no picture to write (no screen is open)";
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(surface.width) * surface.height * 3);
    std::uint8_t* out = rgb.data();
    std::vector<std::uint32_t> row(static_cast<std::size_t>(surface.width));
    for (std::int32_t y = 0; y < surface.height; ++y) {
        RowRgb(surface, y, row.data());
        for (const std::uint32_t colour : row) {
            *out++ = static_cast<std::uint8_t>(colour >> 16);
            *out++ = static_cast<std::uint8_t>(colour >> 8);
            *out++ = static_cast<std::uint8_t>(colour);
        }
    }
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width);
    image.height = static_cast<png_uint_32>(surface.height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, file.TempPath().c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        std::string message = path + ": cannot write the PNG (" + image.message + ")";
        png_image_free(&image);
        return message;
    }
    return file.Commit();
}

}  // namespace vekora
