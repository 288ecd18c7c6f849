// How deep a point lies inside a filled shape: the signed distance in pixels to its outline,
// positive inside. Fills use it to find seeds and to tell a flood that escaped its outline.
#pragma once

#include <array>
#include <cstdint>

namespace vekora {

struct Vertex {
    double x = 0.0;
    double y = 0.0;
};

// A convex polygon given by its corners in order (either turn). A polygon without area has
// no inside: every point gets a depth of at most 0.
double ConvexDepth(const Vertex* corners, int count, double x, double y);

template <std::size_t N>
double ConvexDepth(const std::array<Vertex, N>& corners, double x, double y) {
    return ConvexDepth(corners.data(), static_cast<int>(N), x, y);
}

// The whole columns first to last of one row; none when first > last.
struct ColumnRun {
    std::int32_t first = 0;
    std::int32_t last = -1;
};

// ConvexDepth of one polygon of up to four corners at many points: its turn and the lengths
// of its sides are worked out once (a fill asks for every pixel of its box), with the same
// arithmetic, so that every depth is the one ConvexDepth gives.
class ConvexOutline {
public:
    ConvexOutline(const Vertex* corners, int count);
    template <std::size_t N>
    explicit ConvexOutline(const std::array<Vertex, N>& corners) : ConvexOutline(corners.data(), static_cast<int>(N)) {
        static_assert(N <= MostCorners);
    }
    double Depth(double x, double y) const;
    // Of the columns 0 to width - 1 of row y, the run outside which no Depth reaches `atLeast`,
    // so that a scan for deep pixels can skip the rest of the row. Inside the run every column
    // reaches it, unless the corners lie so far out that a side's depth could overflow (then
    // the run is the whole row).
    ColumnRun ColumnsReaching(double y, std::int32_t width, double atLeast) const;

private:
    static constexpr int MostCorners = 4;
    struct Side {
        Vertex from;
        double ex = 0.0;
        double ey = 0.0;
        double length = 0.0;
    };
    double SideDepth(const Side& side, double x, double y) const {
        return turn_ * (side.ex * (y - side.from.y) - side.ey * (x - side.from.x)) / side.length;
    }
    ColumnRun Narrowed(const Side& side, double y, ColumnRun run, double atLeast) const;
    std::array<Side, MostCorners> sides_{};
    int count_ = 0;
    double turn_ = 0.0;
    bool flat_ = true;     // no area: no inside
    bool bounded_ = true;  // every corner and side small enough that no side's depth overflows
};

// A disc, or the sector of it from angle `start` counter-clockwise to `end` (radians, the
// screen's convention: angle a points along (cos a, -sin a)), both in [0, 2pi).
double DiscDepth(double cx, double cy, double r, double x, double y);
double SectorDepth(double cx, double cy, double r, double start, double end, double x, double y);

}  // namespace vekora
