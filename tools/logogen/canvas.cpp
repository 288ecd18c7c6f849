// Drawing at a larger scale with the program's raster layer, figures and fonts, and reducing.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/figures.h"
#include "draw/fills.h"
#include "draw/text.h"
#include "geom/records.h"

namespace vekora::logogen {
namespace {

std::uint32_t Channel(std::uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }

std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double t) {
    std::uint32_t rgb = 0;
    for (const int shift : {16, 8, 0}) {
        const double v = Channel(from, shift) + (static_cast<double>(Channel(to, shift)) - Channel(from, shift)) * t;
        rgb |= static_cast<std::uint32_t>(std::lround(v)) << shift;
    }
    return rgb;
}

Point At(double x, double y, std::uint32_t colour) { return Point{x, y, colour, 1, 0}; }

void PutHeader(std::vector<std::uint8_t>& buffer, std::int32_t width, std::int32_t height, std::int32_t bytes) {
    const auto word0 = static_cast<std::uint16_t>((width << 3) | bytes);
    const auto word1 = static_cast<std::uint16_t>(height);
    buffer = {static_cast<std::uint8_t>(word0 & 0xFF), static_cast<std::uint8_t>(word0 >> 8),
              static_cast<std::uint8_t>(word1 & 0xFF), static_cast<std::uint8_t>(word1 >> 8)};
}

// A 4 x 4 ordered-dither threshold in (-0.5, 0.5).
double Dither(std::int32_t x, std::int32_t y) {
    static constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (Bayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

std::uint32_t Quantise(double value, int levels, double threshold) {
    const double scaled = value * (levels - 1) / 255.0 + threshold;
    return static_cast<std::uint32_t>(std::clamp(std::lround(scaled), 0L, static_cast<long>(levels - 1)));
}

}  // namespace

Canvas::Canvas(std::int32_t width, std::int32_t height, std::int32_t scale)
    : width_(width), height_(height), scale_(scale), image_(ImageNewOfDepth(width * scale, height * scale, 4, NO_COLOUR)) {}

Canvas::~Canvas() { ImageFree(image_); }

void Canvas::VerticalGradient(double left, double top, double right, double bottom, std::uint32_t topColour,
                              std::uint32_t bottomColour, double radius) {
    const auto first = static_cast<std::int32_t>(Up(top));
    const auto last = static_cast<std::int32_t>(Up(bottom)) - 1;
    const double r = radius * scale_;
    for (std::int32_t row = first; row <= last; ++row) {
        const double t = last > first ? static_cast<double>(row - first) / (last - first) : 0;
        // How far a rounded corner cuts into this row, measured at the row's middle.
        const double fromEdge = std::min(row + 0.5 - first, last + 0.5 - row);
        const double rise = std::max(0.0, r - fromEdge);
        const double inset = r - std::sqrt(std::max(0.0, r * r - rise * rise));
        RasterLine(image_, static_cast<float>(Up(left) + std::round(inset)), static_cast<float>(row),
                   static_cast<float>(Up(right) - 1 - std::round(inset)), static_cast<float>(row),
                   Mix(topColour, bottomColour, t), LineKind::Line, 0xFFFF);
    }
}

void Canvas::Disc(Spot centre, double radius, std::uint32_t colour, std::int32_t alpha) {
    Circle disc{centre.x * scale_, centre.y * scale_, radius * scale_, 0, 0, colour, 1};
    FillCircle(image_, disc, colour, alpha);
}

void Canvas::Ring(Spot centre, double radius, double width, std::uint32_t colour, double start, double end) {
    const Circle ring{centre.x * scale_, centre.y * scale_, radius * scale_, start, end, colour,
                      static_cast<std::int32_t>(std::lround(width * scale_))};
    DrawCircle(image_, ring);
}

void Canvas::Stroke(Spot from, Spot to, double width, std::uint32_t colour) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    // The rectangle stands clockwise of from -> to, that is towards (-dy, dx) on the screen.
    const double ox = dy / length * width / 2;
    const double oy = -dx / length * width / 2;
    FillRect(image_, At((from.x + ox) * scale_, (from.y + oy) * scale_, colour),
             At((to.x + ox) * scale_, (to.y + oy) * scale_, colour), width * scale_, colour, 255);
    Disc(from, width / 2, colour);
    Disc(to, width / 2, colour);
}

void Canvas::Triangle(Spot a, Spot b, Spot c, std::uint32_t colour, std::int32_t alpha) {
    FillTriangle(image_, At(a.x * scale_, a.y * scale_, colour), At(b.x * scale_, b.y * scale_, colour),
                 At(c.x * scale_, c.y * scale_, colour), colour, alpha);
}

double Canvas::TextWidth(std::string_view text, const FontView& font, double size) {
    return StringWidth(text, font) * size;
}

double Canvas::Text(std::string_view text, const FontView& font, double x, double y, double size, std::uint32_t colour,
                    std::int32_t weight) {
    const std::int32_t width = StringWidth(text, font);
    const std::uint8_t* zero = font.Glyph(0);
    const std::int32_t height = zero != nullptr ? GlyphHeight(zero) : 0;
    ImageHandle glyphs = ImageNewOfDepth(width + weight, height, 4, NO_COLOUR);
    if (glyphs == nullptr) return 0;
    for (std::int32_t copy = 0; copy <= weight; ++copy) PrintText(glyphs, text, font, copy, 0, colour, TransparentColour(glyphs));
    const double cell = size * scale_;
    for (std::int32_t gy = 0; gy < height; ++gy) {
        for (std::int32_t gx = 0; gx < width + weight; ++gx) {
            if ((PixelValue(glyphs, gx, gy) & 0xFFFFFF) == TRANSPARENT) continue;
            const double left = x * scale_ + gx * cell;
            const double top = y * scale_ + gy * cell;
            RasterLine(image_, static_cast<float>(std::floor(left)), static_cast<float>(std::floor(top)),
                       static_cast<float>(std::floor(left + cell) - 1), static_cast<float>(std::floor(top + cell) - 1),
                       colour, LineKind::FilledBox, 0xFFFF);
        }
    }
    ImageFree(glyphs);
    return (width + weight) * size;
}

Canvas::Average Canvas::Reduced(std::int32_t x, std::int32_t y) const {
    double sum[3] = {0, 0, 0};
    std::int32_t covered = 0;
    for (std::int32_t sy = 0; sy < scale_; ++sy) {
        for (std::int32_t sx = 0; sx < scale_; ++sx) {
            const std::uint32_t rgb = PixelValue(image_, x * scale_ + sx, y * scale_ + sy) & 0xFFFFFF;
            if (rgb == TRANSPARENT) continue;
            ++covered;
            sum[0] += Channel(rgb, 16);
            sum[1] += Channel(rgb, 8);
            sum[2] += Channel(rgb, 0);
        }
    }
    Average average;
    if (covered == 0) return average;
    average.coverage = static_cast<double>(covered) / (scale_ * scale_);
    for (int c = 0; c < 3; ++c)
        average.rgb |= static_cast<std::uint32_t>(std::lround(sum[c] / covered)) << (16 - 8 * c);
    return average;
}

std::vector<std::uint8_t> Canvas::Reduce16(std::uint32_t matte) const {
    std::vector<std::uint8_t> buffer;
    PutHeader(buffer, width_, height_, 2);
    for (std::int32_t y = 0; y < height_; ++y) {
        for (std::int32_t x = 0; x < width_; ++x) {
            const Average average = Reduced(x, y);
            const std::uint32_t rgb = Mix(matte, average.rgb, average.coverage);
            const double threshold = Dither(x, y);
            const auto pixel = static_cast<std::uint16_t>((Quantise(Channel(rgb, 16), 32, threshold) << 11) |
                                                          (Quantise(Channel(rgb, 8), 64, threshold) << 5) |
                                                          Quantise(Channel(rgb, 0), 32, threshold));
            buffer.push_back(static_cast<std::uint8_t>(pixel & 0xFF));
            buffer.push_back(static_cast<std::uint8_t>(pixel >> 8));
        }
    }
    return buffer;
}

std::vector<std::uint8_t> Canvas::Reduce32() const {
    std::vector<std::uint8_t> buffer;
    PutHeader(buffer, width_, height_, 4);
    for (std::int32_t y = 0; y < height_; ++y) {
        for (std::int32_t x = 0; x < width_; ++x) {
            const Average average = Reduced(x, y);
            const auto alpha = static_cast<std::uint32_t>(std::lround(average.coverage * 255));
            const std::uint32_t pixel = alpha == 0 ? 0 : (alpha << 24) | average.rgb;
            for (int b = 0; b < 4; ++b) buffer.push_back(static_cast<std::uint8_t>(pixel >> (8 * b)));
        }
    }
    return buffer;
}

}  // namespace vekora::logogen
