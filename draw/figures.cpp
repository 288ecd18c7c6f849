// Lines, segments, circles, arcs and rectangles of the geometric records.
#include "draw/figures.h"

#include <algorithm>
#include <cmath>

#include "draw/figure_listener.h"
#include "draw/strokes.h"
#include "geom/lines.h"

namespace vekora {

namespace {

// Rings this close to the target (pixels) are drawn; farther ones cannot touch it.
constexpr double RingMargin = 2.0;

std::uint16_t MaskOf(const Line& line) { return static_cast<std::uint16_t>(line.style); }

// The radii whose rings can reach the target: from the nearest point of the target to the
// centre (0 when the centre is inside) to its farthest corner.
struct RadiusRange {
    double nearest;
    double farthest;
};

RadiusRange RadiiReachingTarget(const SurfaceSize& size, double cx, double cy) {
    const double w = size.width;
    const double h = size.height;
    const double nx = std::clamp(cx, 0.0, w) - cx;
    const double ny = std::clamp(cy, 0.0, h) - cy;
    const double fx = std::max(std::fabs(cx), std::fabs(cx - w));
    const double fy = std::max(std::fabs(cy), std::fabs(cy - h));
    return {std::hypot(nx, ny), std::hypot(fx, fy)};
}

// Ring i (0-based) has radius r0 + i / 2: the first and last ring that can touch the target,
// within [0, last]. The bound on their count keeps huge radii, where the subtractions below
// have lost every pixel of precision, from looping over billions of rings.
struct RingSpan {
    std::int64_t first;
    std::int64_t last;
};

// v as an index in [lowest, last]; values beyond either end (or not a number) are clamped.
std::int64_t ClampIndex(double v, std::int64_t lowest, std::int64_t last) {
    if (!(v > static_cast<double>(lowest))) return lowest;
    if (v >= static_cast<double>(last)) return last;
    return static_cast<std::int64_t>(v);
}

RingSpan VisibleRings(const SurfaceSize& size, const Circle& c, double r0, std::int64_t count, bool radii) {
    const RadiusRange reach = RadiiReachingTarget(size, c.x, c.y);
    const std::int64_t last = count - 1;
    const std::int64_t first = ClampIndex(std::ceil(2.0 * (reach.nearest - RingMargin - r0)), 0, last);
    // -1 when every ring lies beyond the target.
    std::int64_t end = ClampIndex(std::floor(2.0 * (reach.farthest + RingMargin - r0)), -1, last);
    // An arc that draws its radii still shows them when its ring lies beyond the target;
    // the first such ring stands for the rest, whose radii cover the same pixels there.
    if (radii && end < last) ++end;
    // The reach spans at most the target's diagonal; measured from its size, so that rounding
    // in nearest and farthest (huge when the centre is far) cannot widen it.
    const double diagonal = std::hypot(static_cast<double>(size.width), static_cast<double>(size.height));
    const std::int64_t most = ClampIndex(2.0 * (diagonal + 2 * RingMargin) + 4.0, 0, last);
    return {first, std::min(end, first + most)};
}

}  // namespace

std::int32_t DrawLine(ImageHandle target, const Line& line) {
    if (IsUndefined(line)) return UNDEFINED_CODE;
    if (LacksDirection(line)) return 0;  // nothing to draw along
    const SurfaceSize size = SurfaceInfo(target);
    const StrokeStacking stacking = StackingFor(line.dx, line.dy);
    double x1, y1, x2, y2;
    if (stacking == StrokeStacking::Vertical) {
        x1 = 0.0;
        y1 = line.y0 + line.dy * (0.0 - line.x0) / line.dx;
        x2 = size.width;
        y2 = line.y0 + line.dy * (size.width - line.x0) / line.dx;
    } else {
        y1 = 0.0;
        x1 = line.x0 + line.dx * (0.0 - line.y0) / line.dy;
        y2 = size.height;
        x2 = line.x0 + line.dx * (size.height - line.y0) / line.dy;
    }
    ThickSegment(target, x1, y1, x2, y2, stacking, line.thickness, line.colour, MaskOf(line));
    return 0;
}

std::int32_t DrawLineP(ImageHandle target, const Point& p1, const Point& p2, const Line& line) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    ThickSegment(target, p1.x, p1.y, p2.x, p2.y, StackingFor(p2.x - p1.x, p2.y - p1.y), line.thickness,
                 line.colour, MaskOf(line));
    return 0;
}

std::int32_t DrawCircle(ImageHandle target, const Circle& circle) {
    if (IsUndefined(circle)) return UNDEFINED_CODE;
    const std::int64_t t = circle.thickness;
    if (t <= 0) return 0;
    if (!std::isfinite(circle.x) || !std::isfinite(circle.y) || !std::isfinite(circle.r)) return 0;
    const bool full = circle.start == 0.0 && circle.end == 0.0;
    const auto start = static_cast<float>(full ? 0.0 : circle.start);
    const auto end = static_cast<float>(full ? TwoPi : circle.end);
    const bool radii = !full && (circle.start < 0.0 || circle.end < 0.0);
    const double r0 = circle.r - t / 2.0;
    const RingSpan span = VisibleRings(SurfaceInfo(target), circle, r0, 2 * t - 1, radii);
    const auto cx = static_cast<float>(circle.x);
    const auto cy = static_cast<float>(circle.y);
    if (!std::isfinite(cx) || !std::isfinite(cy)) return 0;
    if (FigureListener* listener = ListenerFor(target)) {
        // Rings from r - t/2 to r + t/2 - 1 half a pixel apart: a band t wide about r - 1/2.
        const RingShape ring{std::floor(circle.x + 0.5), std::floor(circle.y + 0.5), circle.r - (t > 1 ? 0.5 : 0.0), std::fabs(start),
                             std::fabs(end), full, radii};
        listener->Ring(target, ring, static_cast<double>(t), circle.colour);
    }
    const FigureToldAbove told;
    float drawn = NAN;
    for (std::int64_t i = span.first; i <= span.last; ++i) {
        // Counted, not compared: at huge radii r0 + i / 2 stops changing.
        const auto rho = static_cast<float>(r0 + 0.5 * static_cast<double>(i));
        if (!std::isfinite(rho) || rho == drawn) continue;  // the same ring again adds no pixel
        RasterEllipse(target, cx, cy, rho, circle.colour, 1.0f, start, end, 0);
        drawn = rho;
    }
    return 0;
}

std::int32_t DrawRect(ImageHandle target, const Point& p1, const Point& p2, double height, const Line& line) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    Point p3 = p1;
    Point p4 = p2;
    VEK_RECTOVER(p1, p2, height, p3, p4);
    DrawLineP(target, p1, p2, line);
    DrawLineP(target, p1, p3, line);
    DrawLineP(target, p2, p4, line);
    DrawLineP(target, p3, p4, line);
    return 0;
}

}  // namespace vekora
