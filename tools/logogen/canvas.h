// A picture drawn with the raster layer at Scale times its size and then reduced to its size
// by averaging each Scale x Scale block, so that its edges come out smooth. Every coordinate
// and length given to a Canvas is in pixels of the reduced picture.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "draw/font.h"
#include "draw/image.h"

namespace vekora::logogen {

struct Spot {
    double x = 0;
    double y = 0;
};

class Canvas {
public:
    // Every pixel starts transparent (uncovered).
    Canvas(std::int32_t width, std::int32_t height, std::int32_t scale);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Rows from `top` to `bottom` (exclusive) shading from one colour to the other, the
    // corners rounded with `radius` (0 for square corners).
    void VerticalGradient(double left, double top, double right, double bottom, std::uint32_t topColour,
                          std::uint32_t bottomColour, double radius = 0);
    void Disc(Spot centre, double radius, std::uint32_t colour, std::int32_t alpha = 255);
    // A ring `width` wide from angle `start` to `end` (radians, counterclockwise on screen;
    // 0 and 0 for a whole circle).
    void Ring(Spot centre, double radius, double width, std::uint32_t colour, double start = 0, double end = 0);
    // A straight stroke with round ends.
    void Stroke(Spot from, Spot to, double width, std::uint32_t colour);
    void Triangle(Spot a, Spot b, Spot c, std::uint32_t colour, std::int32_t alpha = 255);
    // Text in a bitmap font, each glyph pixel `size` reduced pixels square; `weight` extra
    // copies one glyph pixel to the right thicken the strokes. Returns the width drawn.
    double Text(std::string_view text, const FontView& font, double x, double y, double size, std::uint32_t colour,
                std::int32_t weight = 0);
    static double TextWidth(std::string_view text, const FontView& font, double size);

    // The reduced picture as a 16-bit image buffer, coverage blended over `matte` and each
    // channel dithered to 5:6:5 so that gentle gradients do not band.
    std::vector<std::uint8_t> Reduce16(std::uint32_t matte) const;
    // The reduced picture as a 32-bit image buffer, 0xAARRGGBB with the coverage as alpha.
    std::vector<std::uint8_t> Reduce32() const;

private:
    struct Average {
        std::uint32_t rgb = 0;
        double coverage = 0;  // 0 to 1
    };
    Average Reduced(std::int32_t x, std::int32_t y) const;
    float Up(double v) const { return static_cast<float>(v * scale_); }

    std::int32_t width_;
    std::int32_t height_;
    std::int32_t scale_;
    ImageHandle image_;
};

}  // namespace vekora::logogen
