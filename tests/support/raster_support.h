// Small surfaces for raster tests, and pictures of them as text: one string a row, '#' where
// a pixel holds the colour asked about, '.' elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "draw/image.h"

namespace vekora::testing {

class Canvas {
public:
    Canvas(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel = 2, std::uint32_t colour = 0)
        : image_(ImageNewOfDepth(width, height, bytesPerPixel, colour)), bytesPerPixel_(bytesPerPixel) {}
    ~Canvas() { ImageFree(image_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    ImageHandle handle() const { return image_; }
    std::int32_t width() const { return SurfaceInfo(image_).width; }
    std::int32_t height() const { return SurfaceInfo(image_).height; }
    bool Is(std::int32_t x, std::int32_t y, std::uint32_t colour) const {
        return PixelValue(image_, x, y) == EncodeColour(colour, bytesPerPixel_);
    }
    std::vector<std::string> Picture(std::uint32_t colour) const {
        std::vector<std::string> rows;
        for (std::int32_t y = 0; y < height(); ++y) {
            std::string row;
            for (std::int32_t x = 0; x < width(); ++x) row += Is(x, y, colour) ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
    std::int32_t Count(std::uint32_t colour) const {
        std::int32_t count = 0;
        for (std::int32_t y = 0; y < height(); ++y) {
            for (std::int32_t x = 0; x < width(); ++x) count += Is(x, y, colour) ? 1 : 0;
        }
        return count;
    }

private:
    ImageHandle image_;
    std::int32_t bytesPerPixel_;
};

constexpr std::uint32_t Ink = 0x123456;

}  // namespace vekora::testing
