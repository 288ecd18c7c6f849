// Filled triangles, discs, sectors and rectangles: what is filled, what is left alone, alpha,
// triangles larger than the target, shapes without area.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>

#include "draw/fills.h"
#include "draw/shape_depth.h"
#include "geom/lines.h"
#include "tests/support/figure_support.h"

namespace vekora {
namespace {

using testing::At;
using testing::Canvas;
using testing::Ink;

constexpr std::uint32_t Paper = 0x204060;

// Every pixel at least a pixel deep inside the shape is filled; none more than 1.5 pixels
// outside it is touched.
template <typename Depth>
void ExpectFilledExactly(const Canvas& canvas, Depth depth, const std::string& what) {
    int wrong = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double d = depth(x, y);
            if (d >= 1.0 && !canvas.Is(x, y, Ink)) ++wrong;
            if (d < -1.5 && !canvas.Is(x, y, Paper)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << what;
}

void ExpectTriangle(const Canvas& canvas, const Point& a, const Point& b, const Point& c, const std::string& what) {
    const std::array<Vertex, 3> v{Vertex{a.x, a.y}, Vertex{b.x, b.y}, Vertex{c.x, c.y}};
    ExpectFilledExactly(canvas, [&](double x, double y) { return ConvexDepth(v, x, y); }, what);
}

std::int32_t Fill(const Canvas& canvas, const Point& a, const Point& b, const Point& c, std::int32_t alpha = 255) {
    return FillTriangle(canvas.handle(), a, b, c, Ink, alpha);
}

TEST(FillTriangle, FillsItsInsideAndNothingElse) {
    Canvas canvas(24, 20, 4, Paper);
    const Point a = At(2, 3), b = At(21, 6), c = At(9, 17);
    EXPECT_EQ(Fill(canvas, a, b, c), 0);
    ExpectTriangle(canvas, a, b, c, "inside the target");
}

TEST(FillTriangle, AlphaMinusOneIsOpaqueAndWrittenBack) {
    Canvas canvas(12, 12, 4, Paper);
    std::int32_t alpha = -1;
    EXPECT_EQ(FillTriangle(canvas.handle(), At(1, 1), At(10, 1), At(1, 10), Ink, alpha), 0);
    EXPECT_EQ(alpha, 255);
    EXPECT_TRUE(canvas.Is(3, 3, Ink));
    Canvas clear(12, 12, 4, Paper);
    EXPECT_EQ(Fill(clear, At(1, 1), At(10, 1), At(1, 10), 0), 0);
    EXPECT_EQ(clear.Count(Paper), 12 * 12);
}

TEST(FillTriangle, HalfAlphaBlendsEveryChannel) {
    Canvas canvas(12, 12, 4, 0x000000);
    std::int32_t alpha = 127;
    FillTriangle(canvas.handle(), At(1, 1), At(10, 1), At(1, 10), 0xC86400, alpha);
    // dst + ((src - dst) * (alpha + 1) >> 8) per channel.
    EXPECT_TRUE(canvas.Is(3, 3, 0x643200));
    EXPECT_TRUE(canvas.Is(10, 10, 0x000000));
}

TEST(FillTriangle, EveryDepthBlendsItsOwnScratchImage) {
    // At 1 byte a pixel colours are palette indices and the transparent colour is 0.
    for (const std::int32_t depth : {1, 2, 4}) {
        const std::uint32_t paper = depth == 1 ? 0x24 : Paper;
        const std::uint32_t ink = depth == 1 ? 0xE3 : Ink;
        Canvas canvas(12, 12, depth, paper);
        std::int32_t alpha = 255;
        FillTriangle(canvas.handle(), At(1, 1), At(10, 1), At(1, 10), ink, alpha);
        EXPECT_TRUE(canvas.Is(3, 3, ink)) << depth << " bytes";
        EXPECT_TRUE(canvas.Is(10, 10, paper)) << depth << " bytes";
        Circle disc{6, 6, 4, 0, 0, 0, 1};
        Canvas round(12, 12, depth, paper);
        FillCircle(round.handle(), disc, ink, 255);
        EXPECT_TRUE(round.Is(6, 6, ink) && round.Is(0, 0, paper)) << depth << " bytes";
    }
}

TEST(FillTriangle, UndefinedVertexDrawsNothing) {
    Canvas canvas(8, 8, 4, Paper);
    std::int32_t alpha = -1;
    EXPECT_EQ(FillTriangle(canvas.handle(), At(1, 1), UndefinedPoint(), At(1, 6), Ink, alpha), UNDEFINED_CODE);
    EXPECT_EQ(canvas.Count(Paper), 64);
}

TEST(FillTriangle, LargerThanTheTargetIsClippedToIt) {
    struct Case {
        const char* what;
        Point a, b, c;
    };
    const Case cases[] = {
        {"apex inside", At(-60, -40), At(90, -30), At(12, 14)},
        {"apex near the border", At(-300, 25), At(300, 26), At(10, 17)},
        {"no vertex inside, three edges across", At(-10, 4), At(40, -12), At(20, 40)},
        {"no vertex inside, two edges across", At(-30, 10), At(60, -40), At(60, 60)},
        {"no vertex inside, one edge across", At(-40, -5), At(60, 30), At(60, -90)},
        {"covering the whole target", At(-100, -100), At(300, -100), At(-100, 300)},
        {"wholly outside", At(30, -100), At(300, -100), At(30, 300)},
        {"outside, an edge's line crossing the target", At(40, 60), At(140, 10), At(300, 200)},
    };
    for (const Case& c : cases) {
        Canvas canvas(24, 20, 4, Paper);
        EXPECT_EQ(Fill(canvas, c.a, c.b, c.c), 0) << c.what;
        ExpectTriangle(canvas, c.a, c.b, c.c, c.what);
    }
}

TEST(FillTriangle, RandomTrianglesFillExactlyTheirInside) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> near(-8.0, 32.0);
    std::uniform_real_distribution<double> far(-400.0, 400.0);
    for (int i = 0; i < 400; ++i) {
        auto& d = i % 2 == 0 ? near : far;
        const Point a = At(d(random), d(random)), b = At(d(random), d(random)), c = At(d(random), d(random));
        Canvas canvas(24, 20, 2, Paper);
        Fill(canvas, a, b, c);
        ExpectTriangle(canvas, a, b, c,
                       "triangle " + std::to_string(i) + ": " + std::to_string(a.x) + "," + std::to_string(a.y) +
                           " " + std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(c.x) +
                           "," + std::to_string(c.y));
        if (HasFailure()) break;
    }
}

TEST(FillTriangle, CollinearVerticesBlendOnlyTheOutline) {
    // The compasses' lead: three points on one line, inside the target and larger than it.
    struct Case {
        Point a, b, c;
    };
    const Case cases[] = {{At(2, 2), At(17, 12), At(9.5, 7)},
                          {At(3, 15), At(18, 2.5), At(10, 9.2)},
                          {At(-50, 5), At(70, 15), At(10, 10)}};
    for (const Case& c : cases) {
        Canvas canvas(20, 20, 2, Paper);
        Fill(canvas, c.a, c.b, c.c);
        int beside = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const double dx = c.b.x - c.a.x, dy = c.b.y - c.a.y;
                const double off = std::fabs((x - c.a.x) * dy - (y - c.a.y) * dx) / std::hypot(dx, dy);
                if (canvas.Is(x, y, Ink) && off > 1.0) ++beside;
            }
        }
        EXPECT_GT(canvas.Count(Ink), 0);
        EXPECT_EQ(beside, 0) << "from " << c.a.x << "," << c.a.y;
    }
}

double DistanceToSegment(double x, double y, const Point& a, const Point& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 == 0.0 ? 0.0 : std::clamp(((x - a.x) * dx + (y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// Shapes without room inside: whatever their seed, the fill never floods the scratch image.
TEST(FillRect, ThinShapesNeverFloodTheirBox) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coordinate(0.0, 23.0);
    std::uniform_real_distribution<double> thin(-0.8, 0.8);
    for (int i = 0; i < 400; ++i) {
        const Point a = At(coordinate(random), coordinate(random)), b = At(coordinate(random), coordinate(random));
        Canvas canvas(24, 24, 2, Paper);
        // Pixels of the outline lie within a pixel of it; the outline within `width` of ab.
        double width = 0.5;
        if (i % 2 == 0) {
            const double height = thin(random);
            width = std::fabs(height);
            FillRect(canvas.handle(), a, b, height, Ink, 255);
        } else {
            // A triangle whose third vertex lies within half a pixel of the side ab.
            const double t = std::uniform_real_distribution<double>(0.1, 0.9)(random);
            const double len = std::max(std::hypot(b.x - a.x, b.y - a.y), 1e-9);
            const double off = thin(random) * 0.6;
            const Point c = At(a.x + t * (b.x - a.x) - off * (b.y - a.y) / len,
                               a.y + t * (b.y - a.y) + off * (b.x - a.x) / len);
            Fill(canvas, a, b, c);
        }
        int far = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) far += canvas.Is(x, y, Ink) && DistanceToSegment(x, y, a, b) > width + 1.5;
        ASSERT_EQ(far, 0) << "shape " << i;
    }
}

TEST(FillCircle, FillsADisc) {
    Canvas canvas(24, 24, 4, Paper);
    Circle disc{11.3, 12, 7.6, 0, 0, 0, 1};
    EXPECT_EQ(FillCircle(canvas.handle(), disc, Ink, 255), 0);
    ExpectFilledExactly(canvas, [](double x, double y) { return DiscDepth(11.3, 12, 7.6, x, y); }, "disc");
}

TEST(FillCircle, SectorAnglesAreStoredBackInRange) {
    Canvas canvas(24, 24, 4, Paper);
    Circle sector{12, 12, 10, -Pi / 2, 0, 0, 1};
    EXPECT_EQ(FillCircle(canvas.handle(), sector, Ink, 255), 0);
    EXPECT_DOUBLE_EQ(sector.start, -Pi / 2 + TwoPi);
    EXPECT_EQ(sector.end, 0.0);
    // From straight down, counter-clockwise to the right: the lower right quarter.
    ExpectFilledExactly(canvas, [](double x, double y) { return SectorDepth(12, 12, 10, 3 * Pi / 2, 0, x, y); },
                        "lower right quarter");
}

TEST(FillCircle, SectorsOfEverySizeFillTheirWedge) {
    struct Case {
        double start, end;
    };
    const Case cases[] = {{0.3, 1.2}, {1.0, 5.5}, {5.0, 0.5}, {0.0, 2.0}, {2.0, 0.0}, {Pi, TwoPi - 0.1}};
    for (const Case& c : cases) {
        Canvas canvas(24, 24, 2, Paper);
        Circle sector{12, 12, 10, c.start, c.end, 0, 1};
        FillCircle(canvas.handle(), sector, Ink, 255);
        ExpectFilledExactly(
            canvas, [&](double x, double y) { return SectorDepth(12, 12, 10, c.start, c.end, x, y); },
            "sector " + std::to_string(c.start) + " to " + std::to_string(c.end));
    }
}

TEST(FillCircle, DiscsFarLargerThanTheTargetFillWhatShows) {
    Canvas canvas(24, 20, 2, Paper);
    Circle huge{12, 4000, 3990, 0, 0, 0, 1};
    EXPECT_EQ(FillCircle(canvas.handle(), huge, Ink, 255), 0);
    ExpectFilledExactly(canvas, [](double x, double y) { return DiscDepth(12, 4000, 3990, x, y); }, "huge disc");
    Circle undefined = UndefinedCircle();
    EXPECT_EQ(FillCircle(canvas.handle(), undefined, Ink, 255), UNDEFINED_CODE);
}

TEST(FillRect, FillsTheRectangleStandingOnTheSegment) {
    Canvas canvas(24, 24, 4, Paper);
    const Point p1 = At(3, 5), p2 = At(20, 9);
    EXPECT_EQ(FillRect(canvas.handle(), p1, p2, 9.0, Ink, 255), 0);
    Point p3 = p1, p4 = p2;
    vekora::VEK_RECTOVER(p1, p2, 9.0, p3, p4);
    const std::array<Vertex, 4> v{Vertex{p1.x, p1.y}, Vertex{p2.x, p2.y}, Vertex{p4.x, p4.y}, Vertex{p3.x, p3.y}};
    ExpectFilledExactly(canvas, [&](double x, double y) { return ConvexDepth(v, x, y); }, "rectangle");
    EXPECT_EQ(FillRect(canvas.handle(), p1, UndefinedPoint(), 9.0, Ink, 255), UNDEFINED_CODE);
}

TEST(FillRect, WithoutHeightOnlyTheSideIsBlended) {
    Canvas canvas(20, 20, 2, Paper);
    FillRect(canvas.handle(), At(2, 3), At(17, 15), 0.0, Ink, 255);
    EXPECT_GT(canvas.Count(Ink), 0);
    EXPECT_LE(canvas.Count(Ink), 16);
}

// A rectangle on a side of no length has no far side: at most the one pixel of its side.
TEST(FillRect, OnCoincidentPointsTouchesNoMoreThanThatPoint) {
    for (const double height : {5.0, -5.0, 0.0}) {
        Canvas canvas(20, 20, 4, Paper);
        EXPECT_EQ(FillRect(canvas.handle(), At(6, 7), At(6, 7), height, Ink, 255), 0);
        EXPECT_GE(canvas.Count(Paper), 20 * 20 - 1) << "height " << height;
    }
}

}  // namespace
}  // namespace vekora
