// The protractor: a half disc with a base strip, an inner arc and 19 ticks.
#include <algorithm>
#include <cmath>

#include "anim/instrument_strokes.h"
#include "anim/instruments.h"
#include "draw/figures.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// Proportions in radii: the base strip's height, the inner arc, where the ticks begin.
constexpr double StripHeight = 0.3333;
constexpr double InnerRadius = 0.6667;
constexpr double TickStart = 0.85;
// Very nearly ten degrees; 18 of them stay below a half turn, so 0 to 180 gives 19 ticks.
constexpr double TickStep = 0.174532750666508;

Vec Direction(double angle) { return {std::cos(angle), -std::sin(angle)}; }

}  // namespace

std::int32_t DrawProtractorTool(ImageHandle target, const Point& centre, const Line& base, std::int32_t flip,
                                double size, std::uint32_t colour) {
    if (IsUndefined(centre) || LacksDirection(base)) return UNDEFINED_CODE;
    const double r = size / 2.0;
    const Vec c = VecOf(centre);
    const Vec u = Unit({base.dx, base.dy});
    const Point a = PointAt(c - r * u);
    const Point b = PointAt(c + r * u);
    double a0 = VEK_ABSANGLE(base);
    if (a0 < 0.0) a0 += TwoPi;
    double a1 = a0 + Pi;
    if (a1 > TwoPi) a1 -= TwoPi;
    Point p3{}, p4{};
    if (flip == 0) {
        VEK_RECTOVER(a, b, StripHeight * r, p3, p4);
    } else {
        VEK_RECTOVER(b, a, StripHeight * r, p4, p3);
        std::swap(a0, a1);
    }
    const Line look = InstrumentLook(colour, 1);
    Stroke(target, VecOf(a), VecOf(p3), look);
    Stroke(target, VecOf(p3), VecOf(p4), look);
    Stroke(target, VecOf(b), VecOf(p4), look);
    Stroke(target, c - (InnerRadius * r) * u, c + (InnerRadius * r) * u, look);
    DrawCircle(target, Circle{c.x, c.y, r, a0, a1, colour, 1});
    DrawCircle(target, Circle{c.x, c.y, InnerRadius * r, a0, a1, colour, 1});
    for (double t = a0; t <= a0 + Pi; t += TickStep)
        Stroke(target, c + (TickStart * r) * Direction(t), c + r * Direction(t), look);
    return 0;
}

}  // namespace vekora
