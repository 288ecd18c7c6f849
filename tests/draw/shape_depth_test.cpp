// Depth inside filled shapes: the runs of a row that a scan for deep pixels visits hold every
// pixel the depth itself would choose, for ordinary and degenerate polygons alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "draw/shape_depth.h"

namespace vekora {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double Nan = std::numeric_limits<double>::quiet_NaN();

std::string Describe(const std::vector<Vertex>& corners, double y, double atLeast) {
    std::ostringstream text;
    text.precision(17);
    for (const Vertex& v : corners) text << "(" << v.x << ", " << v.y << ") ";
    text << "row " << y << " depth " << atLeast;
    return text.str();
}

// Every column whose depth reaches the threshold lies in the run; when `tight`, every column
// of the run reaches it too.
void ExpectRunsMatchDepth(const std::vector<Vertex>& corners, std::int32_t width, std::int32_t height, bool tight) {
    const ConvexOutline outline(corners.data(), static_cast<int>(corners.size()));
    for (const double atLeast : {1.0, 0.0, -1.5, 2.5}) {
        for (std::int32_t y = -2; y < height + 2; ++y) {
            const ColumnRun run = outline.ColumnsReaching(y, width, atLeast);
            ASSERT_GE(run.first, 0) << Describe(corners, y, atLeast);
            ASSERT_LE(run.last, width - 1) << Describe(corners, y, atLeast);
            for (std::int32_t x = 0; x < width; ++x) {
                const bool reaches = outline.Depth(x, y) >= atLeast;
                const bool inRun = x >= run.first && x <= run.last;
                ASSERT_TRUE(inRun || !reaches) << "column " << x << " of " << Describe(corners, y, atLeast);
                ASSERT_TRUE(inRun == reaches || !tight) << "column " << x << " of " << Describe(corners, y, atLeast);
            }
        }
    }
}

// Corners in either turn, on pixel centres or between them.
std::vector<Vertex> RandomPolygon(std::mt19937& random, int count, double reach, bool whole) {
    std::uniform_real_distribution<double> coordinate(-reach / 4, reach);
    std::vector<Vertex> corners;
    for (int i = 0; i < count; ++i) {
        Vertex v{coordinate(random), coordinate(random)};
        if (whole) v = {std::round(v.x), std::round(v.y)};
        corners.push_back(v);
    }
    // A convex quadrilateral: the corners sorted around their centre.
    if (count == 4) {
        double cx = 0, cy = 0;
        for (const Vertex& v : corners) cx += v.x / 4, cy += v.y / 4;
        std::sort(corners.begin(), corners.end(), [&](const Vertex& a, const Vertex& b) {
            return std::atan2(a.y - cy, a.x - cx) < std::atan2(b.y - cy, b.x - cx);
        });
    }
    return corners;
}

TEST(ConvexOutline, RunsOfRandomPolygonsHoldExactlyTheDeepColumns) {
    std::mt19937 random(16);
    std::uniform_int_distribution<int> corners(3, 4), size(1, 48);
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t width = size(random), height = size(random);
        std::vector<Vertex> polygon = RandomPolygon(random, corners(random), 1.5 * std::max(width, height), i % 2 == 0);
        ExpectRunsMatchDepth(polygon, width, height, true);
    }
}

TEST(ConvexOutline, RunsOfDegeneratePolygonsMissNoDeepColumn) {
    struct Case {
        std::vector<Vertex> corners;
        bool tight;  // ordinary arithmetic: the run is exactly the deep columns
    };
    const std::vector<Case> cases = {
        {{{2, 2}, {2, 2}, {20, 5}, {4, 18}}, true},             // a side of no length
        {{{2, 2}, {20, 5}, {20, 5}, {20, 5}}, true},            // no area
        {{{1, 1}, {9, 9}, {17, 17}}, true},                     // collinear
        {{{0, 0}, {16, 0}, {16, 16}, {0, 16}}, true},           // sides on pixel centres
        {{{16, 16}, {16, 0}, {0, 0}}, true},                    // the other turn
        {{{0.5, 0.5}, {15.5, 0.5}, {0.5, 15.5}}, true},         // corners between centres
        {{{-1e9, -1e9}, {1e9, -1e9}, {0, 1e9}}, true},          // far corners, still exact
        {{{3, 3}, {3.0000000001, 3}, {3, 30}}, true},           // a sliver
        {{{Nan, 2}, {20, 5}, {4, 18}}, false},                  // NaN corner: its sides are skipped
        {{{2, 2}, {Inf, 5}, {4, 18}}, false},                   // an infinite corner
        {{{2, 2}, {1e200, 5}, {4, -1e200}}, false},             // corners beyond exact arithmetic
        {{{-1e160, 3}, {1e160, 3}, {0, 1e160}}, false},
        {{{-1e-300, 0}, {1e-300, 0}, {0, 20}}, true},           // a side too short for its depth
    };
    for (const Case& c : cases) ExpectRunsMatchDepth(c.corners, 24, 24, c.tight);
}

TEST(ConvexOutline, RunsAreTheWholeRowOrNoneWhereEveryColumnAgrees) {
    const std::vector<Vertex> square{{-10, -10}, {100, -10}, {100, 100}, {-10, 100}};
    const ConvexOutline outline(square.data(), 4);
    const ColumnRun inside = outline.ColumnsReaching(5, 50, 1.0);
    EXPECT_EQ(inside.first, 0);
    EXPECT_EQ(inside.last, 49);
    const ColumnRun above = outline.ColumnsReaching(-20, 50, 1.0);
    EXPECT_GT(above.first, above.last);
}

}  // namespace
}  // namespace vekora
