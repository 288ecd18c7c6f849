// The five drawing instruments: the strokes they are drawn with, the straightedges (set
// square and ruler), the protractor, and the instruments that hold a lead (compasses, pencil).
//
// Sections: strokes | set square and ruler | protractor | compasses and pencil
#include "anim/instruments.h"

#include <algorithm>
#include <cmath>

#include "anim/instrument_strokes.h"
#include "draw/figure_listener.h"
#include "draw/figures.h"
#include "draw/fills.h"
#include "geom/kernel.h"

namespace vekora {

// --- Strokes ---

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

// --- Set square and ruler ---

namespace {

// Distances of the set square's outlines from the two lines: the outer triangle from
// Near to Size + Near, the hole from 0.16 of the size to 0.67 of it (plus Near).
constexpr double Near = 2.0;
constexpr double HoleNear = 0.16;
constexpr double HoleFar = 0.67;

// The triangle with its right angle at o + near*(u1 + u2) and its legs reaching `far` along
// u1 and u2.
void SquareTriangle(ImageHandle target, Vec o, Vec u1, Vec u2, double near, double far, const Line& look) {
    const Vec corner = o + near * u1 + near * u2;
    const Vec alongSecond = o + near * u1 + far * u2;
    const Vec alongFirst = o + far * u1 + near * u2;
    Stroke(target, corner, alongSecond, look);
    Stroke(target, corner, alongFirst, look);
    Stroke(target, alongSecond, alongFirst, look);
}

// Where a + s*u lies inside the box [lo, hi] on one axis: narrows [s0, s1]. False when the
// span is empty.
bool NarrowToSlab(double a, double u, double lo, double hi, double& s0, double& s1) {
    if (u == 0.0) return a >= lo && a <= hi;
    double enter = (lo - a) / u;
    double leave = (hi - a) / u;
    if (enter > leave) std::swap(enter, leave);
    s0 = std::max(s0, enter);
    s1 = std::min(s1, leave);
    return s0 <= s1;
}

// Ticks that could not touch the target are skipped, so that a ruler reaching to the far
// point costs only what it shows.
void RulerTicks(ImageHandle target, Vec a, Vec u, Vec w, double length, std::int32_t spacing, const Line& look) {
    const SurfaceSize size = SurfaceInfo(target);
    const double margin = Length(w) * 0.5 + 2.0;
    const double lastTick = std::floor(length / spacing + 0.5);
    double s0 = 0.0;
    double s1 = lastTick * spacing;
    if (!NarrowToSlab(a.x, u.x, -margin, size.width + margin, s0, s1) ||
        !NarrowToSlab(a.y, u.y, -margin, size.height + margin, s0, s1))
        return;
    // Beyond 2^52 a tick's index, and so its place, is no longer exact.
    constexpr double ExactIndex = 4503599627370496.0;
    const double first = std::ceil(s0 / spacing);
    const double last = std::floor(s1 / spacing);
    if (!(first >= 0.0) || !(last <= ExactIndex)) return;
    for (auto k = static_cast<std::int64_t>(first); k <= static_cast<std::int64_t>(last); ++k) {
        const double f = k % 10 == 0 ? 0.5 : k % 10 == 5 ? 0.35 : 0.2;
        const Vec t = a + (static_cast<double>(k) * spacing) * u;
        Stroke(target, t, t + f * w, look);
    }
}

}  // namespace

std::int32_t DrawSquareTool(ImageHandle target, const Line& line1, const Line& line2, std::int32_t flags,
                            double size, std::uint32_t colour) {
    const FigureToldAbove instrument;  // instruments are never part of the figure
    if (LacksDirection(line1) || LacksDirection(line2)) return UNDEFINED_CODE;
    const Vec o = VecOf(VEK_LINECROSS(line1, line2));
    Vec u1 = Unit({line1.dx, line1.dy});
    Vec u2 = Unit({line2.dx, line2.dy});
    if (flags & ReverseFirstLeg) u1 = -1.0 * u1;
    if (flags & ReverseSecondLeg) u2 = -1.0 * u2;
    const Line look = InstrumentLook(colour, 1);
    SquareTriangle(target, o, u1, u2, Near, size + Near, look);
    SquareTriangle(target, o, u1, u2, HoleNear * size + Near, HoleFar * size + Near, look);
    return 0;
}

std::int32_t DrawRulerTool(ImageHandle target, const Point& p1, const Point& p2, std::int32_t side, double width,
                           std::uint32_t colour, std::int32_t spacing) {
    const FigureToldAbove instrument;  // instruments are never part of the figure
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    const Vec d = VecOf(p2) - VecOf(p1);
    const double length = Length(d);
    if (!(length > 0.0)) return -1;
    const Vec u = Unit(d);
    Vec w = width * Normal(u);      // across the ruler, to its far edge
    Vec off = Near * Normal(u);     // from the segment to the working edge
    if (side != 0) {
        w = -1.0 * w;
        off = -1.0 * off;
    }
    const Vec a = VecOf(p1) + off;
    const Vec e1 = a - width * u;
    const Vec e2 = VecOf(p2) + off + width * u;
    const Line look = InstrumentLook(colour, 1);
    Stroke(target, e1, e2, look);
    Stroke(target, e1, e1 + w, look);
    Stroke(target, e2 + w, e2, look);
    Stroke(target, e2 + w, e1 + w, look);
    if (spacing > 0) RulerTicks(target, a, u, w, length, spacing, look);
    return 0;
}

// --- Protractor ---

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
    const FigureToldAbove instrument;  // instruments are never part of the figure
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

// --- Compasses and pencil ---

namespace {

// Proportions of the compasses, in leg lengths: the narrowest opening the legs allow (as a
// part of the pivot-tip distance), the needle and lead lengths, the handle length, and the
// widths of the legs and of the handle.
constexpr double LeastLegRatio = 0.55;
constexpr double PointLength = 0.1;
constexpr double HandleLength = 0.1;
constexpr double LegWidth = 0.04;
constexpr double HandleWidth = 0.08;

// Proportions of the pencil, in pencil lengths: where the sharpened cone ends, and the half
// width of the body.
constexpr double ConeLength = 0.25;
constexpr double HalfWidth = 0.05;

bool IsFinite(Vec v) { return std::isfinite(v.x) && std::isfinite(v.y); }

}  // namespace

std::int32_t DrawCompassTool(ImageHandle target, const Point& pivot, const Point& tip, double leg,
                             std::uint32_t colour) {
    const FigureToldAbove instrument;  // instruments are never part of the figure
    if (IsUndefined(pivot) || IsUndefined(tip)) return UNDEFINED_CODE;
    const Vec p = VecOf(pivot);
    const Vec t = VecOf(tip);
    const double span = Length(t - p);
    if (!(span >= 0.5)) return -1;
    if (!(leg >= LeastLegRatio * span)) leg = LeastLegRatio * span;
    // sqrt(leg^2 - span^2 / 4), kept from overflowing for spans out at the far point.
    const double ratio = span / leg;
    const double height = leg * std::sqrt(1.0 - 0.25 * ratio * ratio);
    const Vec n = Normal(Unit(t - p));
    const Vec hinge = 0.5 * (p + t) + height * n;
    const Vec top = hinge + (HandleLength * leg) * n;
    const Vec needleEnd = p + (PointLength * leg) * Unit(hinge - p);
    const Vec leadEnd = t + (PointLength * leg) * Unit(hinge - t);

    const Line legLook = InstrumentLook(colour, StrokeWidth(LegWidth * leg));
    Stroke(target, hinge, needleEnd, legLook);
    Stroke(target, hinge, leadEnd, legLook);
    Stroke(target, needleEnd, p, InstrumentLook(colour, 1));
    if (IsFinite(leadEnd) && IsFinite(t)) {
        // A triangle with two equal corners: the one-pixel lead from leadEnd to the tip.
        std::int32_t opaque = 255;
        FillTriangle(target, PointAt(leadEnd), PointAt(leadEnd), PointAt(t), colour, opaque);
    }
    Stroke(target, hinge, top, InstrumentLook(colour, StrokeWidth(HandleWidth * leg)));
    return 0;
}

std::int32_t DrawPencilTool(ImageHandle target, const Point& tip, double angle, double length,
                            std::uint32_t colour) {
    const FigureToldAbove instrument;  // instruments are never part of the figure
    if (IsUndefined(tip)) return UNDEFINED_CODE;
    const Vec axis{std::cos(angle), -std::sin(angle)};
    const Vec t = VecOf(tip);
    const Vec coneEnd = t + (ConeLength * length) * axis;
    const Vec end = t + length * axis;
    const double halfWidth = HalfWidth * length;
    if (!IsFinite(coneEnd) || !IsFinite(end)) return 0;
    const Line look = InstrumentLook(colour, 1);
    // Two rectangles on either side of the axis: the body and its middle line.
    DrawRect(target, PointAt(coneEnd), PointAt(end), halfWidth, look);
    DrawRect(target, PointAt(end), PointAt(coneEnd), halfWidth, look);
    const Vec side = halfWidth * Normal(axis);
    Stroke(target, coneEnd + side, t, look);
    Stroke(target, coneEnd - side, t, look);
    return 0;
}

}  // namespace vekora
