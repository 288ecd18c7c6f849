// The picture's fit in the window and the pixel maps both ways.
#include "platform/picture_fit.h"

#include <algorithm>
#include <cmath>

namespace vekora {
namespace {

// A factor within this much of a whole number is taken as that number: 2.0004 is a
// rounding of the window's size, not a wish for uneven pixels.
constexpr double WholeTolerance = 1e-3;

// Output index i of `out` shows source index floor((i + 0.5) * source / out): each source
// pixel covers the output pixels whose centres fall inside it.
std::vector<std::int32_t> NearestMap(std::int32_t out, std::int32_t source) {
    std::vector<std::int32_t> map(static_cast<std::size_t>(std::max(out, 0)));
    for (std::int32_t i = 0; i < out; ++i) {
        const std::int64_t at = ((2 * std::int64_t{i} + 1) * source) / (2 * std::int64_t{out});
        map[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(std::min<std::int64_t>(at, source - 1));
    }
    return map;
}

}  // namespace

double DisplayScale(std::int32_t outW, std::int32_t outH, std::int32_t screenW, std::int32_t screenH) {
    if (outW <= 0 || outH <= 0 || screenW <= 0 || screenH <= 0) return 0;
    return std::min(static_cast<double>(outW) / screenW, static_cast<double>(outH) / screenH);
}

std::int32_t RenderScaleFor(double displayScale, std::int32_t most) {
    const auto wanted = static_cast<std::int32_t>(std::ceil(std::min(displayScale, static_cast<double>(most)) - WholeTolerance));
    return std::clamp(wanted, 1, std::max(most, 1));
}

bool WholeFit(const PictureFit& fit, std::int32_t screenW, std::int32_t screenH) {
    return !fit.Empty() && screenW > 0 && screenH > 0 && fit.width % screenW == 0 && fit.height % screenH == 0;
}

PictureFit FitPicture(std::int32_t outW, std::int32_t outH, std::int32_t screenW, std::int32_t screenH) {
    PictureFit fit;
    if (outW <= 0 || outH <= 0 || screenW <= 0 || screenH <= 0) return fit;
    double factor = DisplayScale(outW, outH, screenW, screenH);
    const double whole = std::round(factor);
    if (whole >= 1 && std::abs(factor - whole) < WholeTolerance) factor = whole;
    fit.width = std::clamp(static_cast<std::int32_t>(std::floor(screenW * factor + 1e-9)), 1, outW);
    fit.height = std::clamp(static_cast<std::int32_t>(std::floor(screenH * factor + 1e-9)), 1, outH);
    fit.x = (outW - fit.width) / 2;
    fit.y = (outH - fit.height) / 2;
    fit.columns = NearestMap(fit.width, screenW);
    fit.rows = NearestMap(fit.height, screenH);
    return fit;
}

ScreenPixel ScreenPixelAt(const PictureFit& fit, std::int32_t outX, std::int32_t outY) {
    const std::int64_t dx = std::int64_t{outX} - fit.x, dy = std::int64_t{outY} - fit.y;
    if (fit.Empty() || dx < 0 || dy < 0 || dx >= fit.width || dy >= fit.height) return {};
    return {true, fit.columns[static_cast<std::size_t>(dx)], fit.rows[static_cast<std::size_t>(dy)]};
}

WindowSize ZoomedWindowSize(std::int32_t screenW, std::int32_t screenH, double zoom, std::int32_t areaW,
                            std::int32_t areaH) {
    double factor = zoom;
    if (areaW > 0 && areaH > 0)
        factor = std::min({factor, static_cast<double>(areaW) / screenW, static_cast<double>(areaH) / screenH});
    return {std::max(1, static_cast<std::int32_t>(std::floor(screenW * factor))),
            std::max(1, static_cast<std::int32_t>(std::floor(screenH * factor)))};
}

}  // namespace vekora
