// Reading pictures back in tests: PNG through libpng, GIF through ImageMagick when present.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vekora::testing {

struct RgbPicture {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    std::uint32_t At(std::uint32_t x, std::uint32_t y) const {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
    }
};

inline RgbPicture ReadPng(const std::string& path) {
    RgbPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return picture;
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) == 0) return {};
    picture.width = image.width;
    picture.height = image.height;
    return picture;
}

// The output of a shell command, or "" when it could not run.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
        if (pclose(pipe) != 0) return "";
    }
    return output;
}

}  // namespace vekora::testing
