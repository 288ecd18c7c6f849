// Circles, arcs, pie sectors and discs: direction, closure, radii, rings without holes, clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "draw/arc_range.h"
#include "tests/support/raster_support.h"

namespace vekora {
namespace {

using testing::Canvas;
using testing::Ink;
using Rows = std::vector<std::string>;

constexpr float Pi = std::numbers::pi_v<float>;
constexpr float FullTurn = 2 * Pi;
constexpr std::uint32_t Paint = 0x00FF00;

void Circle(const Canvas& canvas, float cx, float cy, float r, float start = 0, float end = FullTurn) {
    RasterEllipse(canvas.handle(), cx, cy, r, Ink, 1.0f, start, end, 0);
}

TEST(RasterEllipse, SmallCircleIsRoundAndSymmetric) {
    Canvas canvas(9, 9);
    Circle(canvas, 4, 4, 3);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{".........", "...###...", "..#...#..", ".#.....#.", ".#.....#.",
                                         ".#.....#.", "..#...#..", "...###...", "........."}));
}

TEST(RasterEllipse, RingsAreClosedForAnyRadius) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> radius(0.5f, 30.0f);
    for (int i = 0; i < 200; ++i) {
        Canvas canvas(64, 64);
        const float r = radius(random);
        Circle(canvas, 32, 32, r);
        RasterFill(canvas.handle(), 32, 32, Ink, NO_COLOUR);
        ASSERT_FALSE(canvas.Is(0, 0, Ink)) << "radius " << r;
    }
}

TEST(RasterEllipse, RingsHalfAPixelApartLeaveNoHoles) {
    for (const float inner : {4.0f, 9.5f, 17.25f, 30.0f}) {
        Canvas canvas(80, 80);
        constexpr int Rings = 5;
        for (int ring = 0; ring < Rings; ++ring) Circle(canvas, 40, 40, inner + ring * 0.5f);
        const double outer = inner + (Rings - 1) * 0.5;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 80; ++x) {
                const double d = std::hypot(x - 40, y - 40);
                if (d >= inner + 0.5 && d <= outer - 0.5) {
                    ASSERT_TRUE(canvas.Is(x, y, Ink)) << inner << ": " << x << "," << y;
                }
            }
        }
    }
}

TEST(RasterEllipse, ArcsRunCounterClockwiseOnTheScreen) {
    struct Case {
        float start, end;
        bool right, up, left, down;  // which of the four axis points the arc reaches
    };
    const Case cases[] = {
        {0.1f, Pi / 2, false, true, false, false},
        {Pi / 2 + 0.1f, Pi + 0.1f, false, false, true, false},
        {3 * Pi / 2 + 0.1f, 0.1f, true, false, false, false},       // end < start: through angle 0
        {Pi / 4, 7 * Pi / 4, false, true, true, true},
        {7 * Pi / 4, Pi / 4, true, false, false, false},
    };
    for (const Case& c : cases) {
        Canvas canvas(21, 21);
        Circle(canvas, 10, 10, 8, c.start, c.end);
        EXPECT_EQ(canvas.Is(18, 10, Ink), c.right) << c.start << " to " << c.end;
        EXPECT_EQ(canvas.Is(10, 2, Ink), c.up) << c.start << " to " << c.end;
        EXPECT_EQ(canvas.Is(2, 10, Ink), c.left) << c.start << " to " << c.end;
        EXPECT_EQ(canvas.Is(10, 18, Ink), c.down) << c.start << " to " << c.end;
        // Nothing off the arc: every pixel drawn lies within half a pixel of its angles.
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                if (!canvas.Is(x, y, Ink)) continue;
                double along = std::atan2(10.0 - y, x - 10.0) - c.start;
                along = std::fmod(along + 4 * Pi, 2 * Pi);
                const double sweep = std::fmod(c.end - c.start + 4 * Pi, 2 * Pi);
                EXPECT_TRUE(along <= sweep + 0.1 || along >= 2 * Pi - 0.1) << x << "," << y;
            }
        }
    }
}

TEST(RasterEllipse, NegativeAnglesDrawTheirRadiiAndClosePieSectors) {
    Canvas canvas(21, 21);
    // From angle 0 (-0 asks for the radius) to pi/2, both radii drawn.
    Circle(canvas, 10, 10, 8, -0.0f, -Pi / 2);
    for (int i = 0; i <= 8; ++i) {
        EXPECT_TRUE(canvas.Is(10 + i, 10, Ink)) << "radius to angle 0, pixel " << i;
        EXPECT_TRUE(canvas.Is(10, 10 - i, Ink)) << "radius to angle pi/2, pixel " << i;
    }
    RasterFill(canvas.handle(), 13, 7, Paint, Ink);
    EXPECT_TRUE(canvas.Is(14, 6, Paint));
    EXPECT_FALSE(canvas.Is(7, 13, Paint));
    EXPECT_FALSE(canvas.Is(7, 7, Paint));
    Canvas plain(21, 21);
    Circle(plain, 10, 10, 8, 0.0f, Pi / 2);
    EXPECT_FALSE(plain.Is(14, 10, Ink));
}

TEST(RasterEllipse, PieSectorsNeverLeak) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> angle(0, FullTurn);
    for (int i = 0; i < 200; ++i) {
        Canvas canvas(41, 41);
        const float start = angle(random), end = angle(random);
        Circle(canvas, 20, 20, 15, -start, -end);
        double middle = (start + end) / 2.0;
        if (start > end) middle += Pi;
        RasterFill(canvas.handle(), 20 + 7.5f * std::cos(middle), 20 - 7.5f * std::sin(middle), Paint, Ink);
        ASSERT_FALSE(canvas.Is(0, 0, Paint)) << start << " to " << end;
        ASSERT_FALSE(canvas.Is(40, 40, Paint)) << start << " to " << end;
    }
}

// An arc is its whole ring cut by the angles of its pixels: no pixel of the ring is skipped or
// placed by a shortcut that its angle would place otherwise, whatever the arc, even in part
// outside the target.
TEST(RasterEllipse, ArcsAreTheirRingCutByTheirPixelsAngles) {
    std::mt19937 random(23);
    std::uniform_real_distribution<float> angle(0, FullTurn), radius(0.3f, 70.0f), short_(0, 0.4f);
    std::uniform_int_distribution<int> centre(-20, 100);
    for (int i = 0; i < 400; ++i) {
        const float cx = static_cast<float>(centre(random)), cy = static_cast<float>(centre(random));
        const float r = radius(random), start = angle(random);
        const float end = i % 2 == 0 ? angle(random) : std::fmod(start + short_(random), FullTurn);
        Canvas ring(80, 80), arc(80, 80);
        Circle(ring, cx, cy, r);
        Circle(arc, cx, cy, r, start, end);
        const ArcRange range = MakeArc(start, end, r);
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 80; ++x) {
                const bool expected = ring.Is(x, y, Ink) && range.ContainsByAngle(x - cx, y - cy);
                ASSERT_EQ(arc.Is(x, y, Ink), expected)
                    << "arc " << start << " to " << end << " radius " << r << " about " << cx << ", " << cy
                    << ": pixel " << x << ", " << y;
            }
        }
    }
}

TEST(RasterEllipse, DiscCoversItsRingAndIsClipped) {
    Canvas canvas(30, 30);
    Circle(canvas, 15, 15, 9.5f);
    RasterEllipse(canvas.handle(), 15, 15, 9.5f, Paint, 1.0f, 0, FullTurn, -1);
    EXPECT_EQ(canvas.Count(Ink), 0);
    Canvas corner(10, 10);
    RasterEllipse(corner.handle(), 0, 0, 3, Paint, 1.0f, 0, FullTurn, -1);
    EXPECT_EQ(corner.Picture(Paint), (Rows{"####......", "####......", "###.......", "##........", "..........",
                                           "..........", "..........", "..........", "..........", ".........."}));
}

TEST(RasterEllipse, HugeInfiniteAndNanValuesCostNoMoreThanTheTarget) {
    constexpr float Inf = std::numeric_limits<float>::infinity();
    constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
    Canvas stroke(50, 50);
    // A circle of radius 1e30 whose rightmost point is x = 0: a straight stroke down column 0.
    Circle(stroke, -1e30f, 25, 1e30f);
    EXPECT_EQ(stroke.Count(Ink), 50);
    for (int y = 0; y < 50; ++y) EXPECT_TRUE(stroke.Is(0, y, Ink)) << y;
    Canvas disc(50, 50);
    RasterEllipse(disc.handle(), 25, 25, 3e38f, Ink, 1.0f, 0, FullTurn, -1);
    EXPECT_EQ(disc.Count(Ink), 2500);
    Canvas ignored(50, 50);
    Circle(ignored, 25, 25, Inf);
    Circle(ignored, Inf, 25, 5);
    Circle(ignored, 25, Nan, 5);
    Circle(ignored, 25, 25, Nan);
    Circle(ignored, 25, 25, 5, Nan, 1);
    Circle(ignored, 25, 25, 5, 0, -Inf);
    Circle(ignored, 25, 25, -5);
    Circle(ignored, 25, 25, 3e38f, 1.0f, 2.0f);  // an arc far beyond the target
    EXPECT_EQ(ignored.Count(Ink), 0);
}

}  // namespace
}  // namespace vekora
