// Solid strokes of the instruments.
#include "anim/instrument_strokes.h"

#include "draw/figures.h"

namespace vekora {

Line InstrumentLook(std::uint32_t colour, std::int16_t width) {
    return Line{0.0, 0.0, 0.0, 0.0, colour, static_cast<std::int16_t>(-1), width};
}

std::int16_t StrokeWidth(double v) {
    const double rounded = std::nearbyint(v);
    if (!(rounded > 0.0)) return 0;
    return rounded >= 32767.0 ? std::int16_t{32767} : static_cast<std::int16_t>(rounded);
}

void Stroke(ImageHandle target, Vec a, Vec b, const Line& look) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return;
    DrawLineP(target, PointAt(a), PointAt(b), look);
}

}  // namespace vekora
