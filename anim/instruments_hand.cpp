// The instruments that hold a lead: the compasses and the pencil.
#include <cmath>

#include "anim/instrument_strokes.h"
#include "anim/instruments.h"
#include "draw/figures.h"
#include "draw/fills.h"
#include "geom/kernel.h"

namespace vekora {

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
