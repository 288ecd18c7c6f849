// Signed distance from a point to the outline of a filled shape, positive inside.
#include "draw/shape_depth.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geom/records.h"

namespace vekora {

namespace {

// Corners, sides and rows no further out than this keep every step of a side's depth finite.
constexpr double DepthBound = 1e150;

bool WithinBound(double value) { return std::fabs(value) <= DepthBound; }

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
        bounded_ = bounded_ && WithinBound(a.x) && WithinBound(a.y) && WithinBound(ex) && WithinBound(ey);
    }
}

double ConvexOutline::Depth(double x, double y) const {
    if (flat_) return -std::numeric_limits<double>::infinity();
    double depth = std::numeric_limits<double>::infinity();
    for (int i = 0; i < count_; ++i) {
        const Side& side = sides_[static_cast<std::size_t>(i)];
        if (side.length == 0.0) continue;
        depth = std::min(depth, SideDepth(side, x, y));
    }
    return depth;
}

// Along a row x - from.x never decreases as x grows, and each later step of SideDepth (a
// product with a fixed factor, a difference from a fixed term, a change of sign, a quotient by
// a fixed positive length) is rounded monotonically: so one side's depth moves one way along
// the row, and the columns where it reaches a threshold lie at one end of any run. Bounded
// operands keep every step free of NaN, whose comparisons would break that order.
ColumnRun ConvexOutline::ColumnsReaching(double y, std::int32_t width, double atLeast) const {
    const ColumnRun row{0, width - 1};
    if (flat_) return -std::numeric_limits<double>::infinity() >= atLeast ? row : ColumnRun{};
    if (!bounded_ || !WithinBound(y) || width <= 0) return row;
    ColumnRun run = row;
    for (int i = 0; i < count_ && run.first <= run.last; ++i) {
        const Side& side = sides_[static_cast<std::size_t>(i)];
        if (side.length != 0.0) run = Narrowed(side, y, run, atLeast);
    }
    return run;
}

// The part of `run` where this side's depth reaches `atLeast`. The boundary is searched for
// from where the side's line crosses that depth: probes twice as far each time until one falls
// on the other side, then bisection. The crossing only guides the search; every answer comes
// from SideDepth.
ColumnRun ConvexOutline::Narrowed(const Side& side, double y, ColumnRun run, double atLeast) const {
    const auto reaches = [&](std::int64_t x) { return SideDepth(side, static_cast<double>(x), y) >= atLeast; };
    const bool firstReaches = reaches(run.first);
    const bool lastReaches = reaches(run.last);
    if (firstReaches && lastReaches) return run;
    if (!firstReaches && !lastReaches) return {};
    // Between a column that reaches and one that does not.
    std::int64_t in = firstReaches ? run.first : run.last;
    std::int64_t out = firstReaches ? run.last : run.first;
    const double crossing = side.from.x + (side.ex * (y - side.from.y) - turn_ * atLeast * side.length) / side.ey;
    const auto low = static_cast<double>(std::min(in, out) + 1), high = static_cast<double>(std::max(in, out) - 1);
    if (low <= high) {
        const auto guess = static_cast<std::int64_t>(std::isnan(crossing) ? low : std::clamp(std::floor(crossing), low, high));
        const bool guessReaches = reaches(guess);
        (guessReaches ? in : out) = guess;
        // Away from the side `guess` turned out to be on, towards the other end.
        const std::int64_t away = (guessReaches ? out - in : in - out) > 0 ? 1 : -1;
        std::int64_t& near = guessReaches ? in : out;
        const std::int64_t far = guessReaches ? out : in;
        for (std::int64_t step = 1;; step *= 2) {
            const std::int64_t probe = near + away * step;
            if ((far - probe) * away <= 0) break;
            if (reaches(probe) == guessReaches) {
                near = probe;
            } else {
                (guessReaches ? out : in) = probe;
                break;
            }
        }
    }
    while (out - in > 1 || in - out > 1) {
        const std::int64_t middle = in + (out - in) / 2;
        (reaches(middle) ? in : out) = middle;
    }
    const auto boundary = static_cast<std::int32_t>(in);
    return firstReaches ? ColumnRun{run.first, boundary} : ColumnRun{boundary, run.last};
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
