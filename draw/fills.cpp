// Filled triangles, discs, sectors and rectangles through a scratch image.
#include "draw/fills.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw/figure_listener.h"
#include "draw/scratch_fill.h"
#include "draw/shape_depth.h"
#include "draw/strokes.h"
#include "draw/triangle_clip.h"
#include "geom/lines.h"

namespace vekora {

namespace {


// Nearest integer, halves to even (the default rounding mode).
double Round(double v) { return std::nearbyint(v); }

// The bounding box along one axis, as the triangle fill measures it: the largest rounded
// distance between two vertices, and the rounded smaller coordinate of the pair that gives it
// (pairs a-b, a-c, b-c; a later pair wins only when strictly larger).
struct Extent {
    double size;
    double low;
};

Extent TriangleExtent(double a, double b, double c) {
    Extent e{Round(std::fabs(b - a)), Round(std::min(a, b))};
    const double ac = Round(std::fabs(c - a));
    if (ac > e.size) e = {ac, Round(std::min(a, c))};
    const double bc = Round(std::fabs(c - b));
    if (bc > e.size) e = {bc, Round(std::min(b, c))};
    return e;
}

// True when the box [left, left + width) x [top, top + height) misses the target, or is not
// made of numbers.
bool MissesTarget(const SurfaceSize& size, double left, double top, double width, double height) {
    const bool overlaps = left < size.width && left + width > 0.0 && top < size.height && top + height > 0.0;
    return !overlaps;
}

void Segment(ImageHandle image, const Vertex& a, const Vertex& b, std::uint32_t colour) {
    StrokeSegment(image, a.x, a.y, b.x, b.y, colour, SolidMask);
}

// The fill of a box of left, top, width x height pixels. A shape whose box would need a
// scratch image far larger than the target gets one of the target's size instead, placed at
// (0, 0), and its interior is found by scanning.
ScratchFill FillOver(const SurfaceSize& size, double left, double top, double width, double height,
                     std::uint32_t colour, std::int32_t alpha) {
    ScratchFill fill;
    fill.colour = colour;
    fill.alpha = alpha;
    if (ExceedsTarget(size, width, height)) {
        fill.box = {0.0, 0.0, size.width, size.height};
        fill.rule = FloodRule::ScanInside;
    } else {
        fill.box = {left, top, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
        fill.rule = FloodRule::EnclosedSeed;
    }
    return fill;
}

std::array<Vertex, 3> Shifted(const Point& a, const Point& b, const Point& c, double left, double top) {
    return {Vertex{a.x - left, a.y - top}, Vertex{b.x - left, b.y - top}, Vertex{c.x - left, c.y - top}};
}

}  // namespace

std::int32_t FillTriangle(ImageHandle target, const Point& a, const Point& b, const Point& c, std::uint32_t colour,
                          std::int32_t& alpha) {
    if (IsUndefined(a) || IsUndefined(b) || IsUndefined(c)) return UNDEFINED_CODE;
    if (alpha == -1) alpha = 255;
    if (FigureListener* listener = ListenerFor(target)) {
        const double xy[6] = {a.x, a.y, b.x, b.y, c.x, c.y};
        listener->Polygon(target, xy, 3, colour, alpha);
    }
    const FigureToldAbove told;
    const SurfaceSize size = SurfaceInfo(target);
    const Extent ex = TriangleExtent(a.x, b.x, c.x);
    const Extent ey = TriangleExtent(a.y, b.y, c.y);
    if (!std::isfinite(ex.size + ex.low + ey.size + ey.low)) return 0;
    if (size.width < ex.size || size.height < ey.size) {
        FillClippedTriangle(target, a, b, c, colour, alpha);
        return 0;
    }
    if (MissesTarget(size, ex.low, ey.low, ex.size + 1, ey.size + 1)) return 0;
    const std::array<Vertex, 3> v = Shifted(a, b, c, ex.low, ey.low);
    ScratchFill fill;
    fill.box = {ex.low, ey.low, static_cast<std::int32_t>(ex.size) + 1, static_cast<std::int32_t>(ey.size) + 1};
    fill.colour = colour;
    fill.alpha = alpha;
    // Three collinear vertices (the compasses' lead) have no interior to flood.
    fill.rule = ConvexDepth(v, v[0].x, v[0].y) == -HUGE_VAL ? FloodRule::OutlineOnly : FloodRule::EnclosedSeed;
    // 0.3333 rather than a third: the seed is defined with this factor.
    fill.seedX = (a.x + b.x + c.x) * 0.3333 - ex.low;
    fill.seedY = (a.y + b.y + c.y) * 0.3333 - ey.low;
    MeasureByOutline(fill, ConvexOutline(v));
    BlendThroughScratch(target, fill, [&](ImageHandle scratch) {
        Segment(scratch, v[0], v[1], colour);
        Segment(scratch, v[0], v[2], colour);
        Segment(scratch, v[2], v[1], colour);
    });
    return 0;
}

std::int32_t FillCircle(ImageHandle target, Circle& circle, std::uint32_t colour, std::int32_t alpha) {
    if (IsUndefined(circle)) return UNDEFINED_CODE;
    const bool full = circle.start == 0.0 && circle.end == 0.0;
    if (!full) {
        if (circle.start < 0.0) circle.start += TwoPi;
        if (circle.end < 0.0) circle.end += TwoPi;
    }
    if (FigureListener* listener = ListenerFor(target)) {
        listener->Disc(target, RingShape{circle.x, circle.y, circle.r, circle.start, circle.end, full, !full}, colour,
                       alpha);
    }
    const FigureToldAbove told;
    const double r = circle.r;
    const double n = Round(2.0 * r + 1.0);
    const SurfaceSize size = SurfaceInfo(target);
    if (!std::isfinite(circle.x + circle.y + n) || n < 1.0) return 0;
    if (MissesTarget(size, circle.x - r - 1.0, circle.y - r - 1.0, n + 2.0, n + 2.0)) return 0;
    ScratchFill fill = FillOver(size, circle.x - r, circle.y - r, n, n, colour, alpha);
    // The centre in scratch coordinates.
    const bool large = fill.rule == FloodRule::ScanInside;
    const double cx = large ? circle.x : r;
    const double cy = large ? circle.y : r;
    const double start = circle.start;
    const double end = circle.end;
    if (full) {
        fill.seedX = cx;
        fill.seedY = cy;
        fill.depth = [cx, cy, r](double x, double y) { return DiscDepth(cx, cy, r, x, y); };
    } else {
        const double mean = (start + end) / 2.0;
        const double toward = start > end ? -1.0 : 1.0;
        fill.seedX = cx + toward * std::cos(mean) * r / 2.0;
        fill.seedY = cy - toward * std::sin(mean) * r / 2.0;
        fill.depth = [=](double x, double y) { return SectorDepth(cx, cy, r, start, end, x, y); };
    }
    BlendThroughScratch(target, fill, [&](ImageHandle scratch) {
        const auto fx = static_cast<float>(cx);
        const auto fy = static_cast<float>(cy);
        const auto fr = static_cast<float>(r);
        if (full) {
            RasterEllipse(scratch, fx, fy, fr, colour, 1.0f, 0.0f, static_cast<float>(TwoPi), 0);
            return;
        }
        // Negated angles make the layer draw both radii; an angle of 0 has no negative, so
        // its radius is drawn here.
        RasterEllipse(scratch, fx, fy, fr, colour, 1.0f, static_cast<float>(-start), static_cast<float>(-end), 0);
        if (start == 0.0 || end == 0.0) StrokeSegment(scratch, cx, cy, cx + r, cy, colour, SolidMask);
    });
    return 0;
}

std::int32_t FillRect(ImageHandle target, const Point& p1, const Point& p2, double height, std::uint32_t colour,
                      std::int32_t alpha) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    Point p3 = p1;
    Point p4 = p2;
    VEK_RECTOVER(p1, p2, height, p3, p4);
    if (FigureListener* listener = ListenerFor(target)) {
        const double xy[8] = {p1.x, p1.y, p2.x, p2.y, p4.x, p4.y, p3.x, p3.y};
        listener->Polygon(target, xy, 4, colour, alpha);
    }
    const FigureToldAbove told;
    const std::array<double, 4> xs{Round(p1.x), Round(p2.x), Round(p3.x), Round(p4.x)};
    const std::array<double, 4> ys{Round(p1.y), Round(p2.y), Round(p3.y), Round(p4.y)};
    const double left = *std::min_element(xs.begin(), xs.end());
    const double top = *std::min_element(ys.begin(), ys.end());
    const double width = *std::max_element(xs.begin(), xs.end()) - left + 1.0;
    const double tall = *std::max_element(ys.begin(), ys.end()) - top + 1.0;
    const SurfaceSize size = SurfaceInfo(target);
    if (!std::isfinite(left + top + width + tall) || MissesTarget(size, left, top, width, tall)) return 0;
    ScratchFill fill = FillOver(size, left, top, width, tall, colour, alpha);
    const bool large = fill.rule == FloodRule::ScanInside;
    const double ox = large ? 0.0 : left;
    const double oy = large ? 0.0 : top;
    // Corners in order around the rectangle: p1, p2, p4, p3.
    const std::array<Vertex, 4> v{Vertex{p1.x - ox, p1.y - oy}, Vertex{p2.x - ox, p2.y - oy},
                                  Vertex{p4.x - ox, p4.y - oy}, Vertex{p3.x - ox, p3.y - oy}};
    fill.seedX = (v[0].x + v[2].x) / 2.0;
    fill.seedY = (v[0].y + v[2].y) / 2.0;
    MeasureByOutline(fill, ConvexOutline(v));
    BlendThroughScratch(target, fill, [&](ImageHandle scratch) {
        Segment(scratch, v[0], v[1], colour);
        Segment(scratch, v[0], v[3], colour);
        Segment(scratch, v[1], v[2], colour);
        Segment(scratch, v[3], v[2], colour);
    });
    return 0;
}

}  // namespace vekora
