// Writing the drawing calls as SVG elements, coordinates in pixels of the bitmap picture.
#include "svg_picture.h"

#include <cstdio>

namespace vekora::logogen {
namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::string Colour(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

std::string Opacity(std::int32_t alpha) { return alpha >= 255 ? "" : " fill-opacity=\"" + Number(alpha / 255.0) + "\""; }

}  // namespace

void SvgPicture::VerticalGradient(double left, double top, double right, double bottom, std::uint32_t topColour,
                                  std::uint32_t bottomColour, double radius) {
    const std::string id = "shade" + std::to_string(++gradients_);
    definitions_ += "    <linearGradient id=\"" + id + "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
                    "      <stop offset=\"0\" stop-color=\"" + Colour(topColour) + "\"/>\n"
                    "      <stop offset=\"1\" stop-color=\"" + Colour(bottomColour) + "\"/>\n"
                    "    </linearGradient>\n";
    body_ += "  <rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(right - left) +
             "\" height=\"" + Number(bottom - top) + "\" rx=\"" + Number(radius) + "\" fill=\"url(#" + id + ")\"/>\n";
}

void SvgPicture::Disc(Spot centre, double radius, std::uint32_t colour, std::int32_t alpha) {
    body_ += "  <circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" + Number(radius) +
             "\" fill=\"" + Colour(colour) + "\"" + Opacity(alpha) + "/>\n";
}

void SvgPicture::Ring(Spot centre, double radius, double width, std::uint32_t colour) {
    body_ += "  <circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" + Number(radius) +
             "\" fill=\"none\" stroke=\"" + Colour(colour) + "\" stroke-width=\"" + Number(width) + "\"/>\n";
}

void SvgPicture::Stroke(Spot from, Spot to, double width, std::uint32_t colour) {
    body_ += "  <line x1=\"" + Number(from.x) + "\" y1=\"" + Number(from.y) + "\" x2=\"" + Number(to.x) + "\" y2=\"" +
             Number(to.y) + "\" stroke=\"" + Colour(colour) + "\" stroke-width=\"" + Number(width) +
             "\" stroke-linecap=\"round\"/>\n";
}

void SvgPicture::Triangle(Spot a, Spot b, Spot c, std::uint32_t colour, std::int32_t alpha) {
    body_ += "  <polygon points=\"" + Number(a.x) + "," + Number(a.y) + " " + Number(b.x) + "," + Number(b.y) + " " +
             Number(c.x) + "," + Number(c.y) + "\" fill=\"" + Colour(colour) + "\"" + Opacity(alpha) + "/>\n";
}

std::string SvgPicture::Text() const {
    const std::string w = std::to_string(width_), h = std::to_string(height_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\">\n  <defs>\n" + definitions_ + "  </defs>\n" + body_ + "</svg>\n";
}

}  // namespace vekora::logogen
