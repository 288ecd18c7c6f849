// Signed distance from a point to the outline of a filled shape, positive inside.
#include "draw/shape_depth.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geom/records.h"

namespace vekora {

namespace {


// Twice the signed area; its sign says which way the corners turn.
double TwiceArea(const Vertex* c, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const Vertex& a = c[i];
        const Vertex& b = c[(i + 1) % count];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

// Signed distance of (x, y) from the line through the origin along angle a, positive on the
// counter-clockwise side (as seen on the screen, y down).
double SideOfRay(double a, double x, double y) { return -std::sin(a) * x - std::cos(a) * y; }

}  // namespace

double ConvexDepth(const Vertex* corners, int count, double x, double y) {
    const double area = TwiceArea(corners, count);
    if (!(std::fabs(area) > 0.0)) return -std::numeric_limits<double>::infinity();
    const double turn = area > 0.0 ? 1.0 : -1.0;
    double depth = std::numeric_limits<double>::infinity();
    for (int i = 0; i < count; ++i) {
        const Vertex& a = corners[i];
        const Vertex& b = corners[(i + 1) % count];
        const double ex = b.x - a.x;
        const double ey = b.y - a.y;
        const double len = std::hypot(ex, ey);
        if (len == 0.0) continue;
        depth = std::min(depth, turn * (ex * (y - a.y) - ey * (x - a.x)) / len);
    }
    return depth;
}

ConvexOutline::ConvexOutline(const Vertex* corners, int count) {
    count_ = count < 0 ? 0 : (count > MostCorners ? MostCorners : count);
    const double area = TwiceArea(corners, count_);
    flat_ = !(std::fabs(area) > 0.0);
    turn_ = area > 0.0 ? 1.0 : -1.0;
    for (int i = 0; i < count_; ++i) {
        const Vertex& a = corners[i];
        const Vertex& b = corners[(i + 1) % count_];
        const double ex = b.x - a.x;
        const double ey = b.y - a.y;
        sides_[static_cast<std::size_t>(i)] = {a, ex, ey, std::hypot(ex, ey)};
    }
}

double ConvexOutline::Depth(double x, double y) const {
    if (flat_) return -std::numeric_limits<double>::infinity();
    double depth = std::numeric_limits<double>::infinity();
    for (int i = 0; i < count_; ++i) {
        const Side& side = sides_[static_cast<std::size_t>(i)];
        if (side.length == 0.0) continue;
        depth = std::min(depth, turn_ * (side.ex * (y - side.from.y) - side.ey * (x - side.from.x)) / side.length);
    }
    return depth;
}

double DiscDepth(double cx, double cy, double r, double x, double y) {
    return r - std::hypot(x - cx, y - cy);
}

double SectorDepth(double cx, double cy, double r, double start, double end, double x, double y) {
    double span = end - start;
    if (span < 0.0) span += TwoPi;
    const double px = x - cx;
    const double py = y - cy;
    // Inside the wedge means counter-clockwise of the start ray and clockwise of the end ray.
    const double fromStart = SideOfRay(start, px, py);
    const double toEnd = -SideOfRay(end, px, py);
    // A wedge up to a half turn is the meet of the two half-planes; a wider one is their union.
    const double wedge = span <= Pi ? std::min(fromStart, toEnd) : std::max(fromStart, toEnd);
    return std::min(DiscDepth(cx, cy, r, x, y), wedge);
}

}  // namespace vekora
