// The same drawing calls as Canvas, written as a scalable SVG picture instead of pixels, so
// that the installed scalable icon is the very design of the bitmap one.
#pragma once

#include <cstdint>
#include <string>

#include "canvas.h"

namespace vekora::logogen {

class SvgPicture {
public:
    SvgPicture(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}

    void VerticalGradient(double left, double top, double right, double bottom, std::uint32_t topColour,
                          std::uint32_t bottomColour, double radius = 0);
    void Disc(Spot centre, double radius, std::uint32_t colour, std::int32_t alpha = 255);
    // A whole ring (the only kind the icon draws), `width` wide about `radius`.
    void Ring(Spot centre, double radius, double width, std::uint32_t colour);
    void Stroke(Spot from, Spot to, double width, std::uint32_t colour);
    void Triangle(Spot a, Spot b, Spot c, std::uint32_t colour, std::int32_t alpha = 255);

    // The whole document.
    std::string Text() const;

private:
    std::int32_t width_;
    std::int32_t height_;
    std::string definitions_;
    std::string body_;
    int gradients_ = 0;
};

}  // namespace vekora::logogen
