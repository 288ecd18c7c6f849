// Lines, segments, circles and rectangles: thick strokes, rings, whole lines, far figures.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/figures.h"
#include "tests/support/figure_support.h"

namespace vekora {
namespace {

using testing::At;
using testing::Canvas;
using testing::Ink;
using testing::Look;
using testing::Through;
using Rows = std::vector<std::string>;

TEST(ThickSegment, ShallowStrokesAreStackedFromMinusHalf) {
    struct Case {
        double y;
        std::int16_t thickness;
        Rows rows;
    };
    // Thickness 3 at y = 2.5 strokes at 1, 2, 3 (offsets -1.5, -0.5, +0.5); 2 at y = 2 at 1 and 2.
    const Case cases[] = {
        {2.5, 3, {"......", ".####.", ".####.", ".####.", "......"}},
        {2.0, 2, {"......", ".####.", ".####.", "......", "......"}},
        {2.0, 1, {"......", "......", ".####.", "......", "......"}},
    };
    for (const Case& c : cases) {
        Canvas canvas(6, 5);
        EXPECT_EQ(DrawLineP(canvas.handle(), At(1, c.y), At(4, c.y), Look(c.thickness)), 0);
        EXPECT_EQ(canvas.Picture(Ink), c.rows) << "thickness " << c.thickness;
    }
}

TEST(ThickSegment, SteepStrokesLieSideBySide) {
    Canvas canvas(5, 5);
    DrawLineP(canvas.handle(), At(2, 1), At(2, 3), Look(2));
    EXPECT_EQ(canvas.Picture(Ink), (Rows{".....", ".##..", ".##..", ".##..", "....."}));
}

TEST(ThickSegment, FortyFiveDegreesCountsAsShallow) {
    Canvas canvas(5, 5);
    DrawLineP(canvas.handle(), At(1, 2), At(3, 4), Look(2));
    // Strokes (1, 1)-(3, 3) and (1, 2)-(3, 4): one above the other, not side by side.
    EXPECT_EQ(canvas.Picture(Ink), (Rows{".....", ".#...", ".##..", "..##.", "...#."}));
}

TEST(ThickSegment, NoThicknessDrawsNothingAndUndefinedIsRefused) {
    Canvas canvas(5, 5);
    EXPECT_EQ(DrawLineP(canvas.handle(), At(0, 2), At(4, 2), Look(0)), 0);
    EXPECT_EQ(DrawLineP(canvas.handle(), At(0, 2), At(4, 2), Look(-3)), 0);
    EXPECT_EQ(DrawLineP(canvas.handle(), At(UNDEFINED, 2), At(4, 2), Look(1)), UNDEFINED_CODE);
    EXPECT_EQ(DrawLineP(canvas.handle(), At(0, 2), UndefinedPoint(), Look(1)), UNDEFINED_CODE);
    EXPECT_EQ(canvas.Count(Ink), 0);
}

TEST(DrawLine, RunsFromBorderToBorderWhateverSegmentMadeIt) {
    Canvas horizontal(8, 4);
    EXPECT_EQ(DrawLine(horizontal.handle(), Through(3, 1, 2, 0)), 0);
    EXPECT_EQ(horizontal.Picture(Ink), (Rows{"........", "########", "........", "........"}));
    Canvas vertical(4, 6);
    DrawLine(vertical.handle(), Through(2, 3, 0, -1, 2));
    EXPECT_EQ(vertical.Picture(Ink), (Rows{".##.", ".##.", ".##.", ".##.", ".##.", ".##."}));
    Canvas diagonal(4, 4);
    DrawLine(diagonal.handle(), Through(1, 1, 5, 5));
    EXPECT_EQ(diagonal.Picture(Ink), (Rows{"#...", ".#..", "..#.", "...#"}));
    EXPECT_EQ(DrawLine(diagonal.handle(), UndefinedLine()), UNDEFINED_CODE);
}

TEST(DrawLine, AppliesTheDashMaskFromTheLeftBorder) {
    Canvas canvas(20, 1);
    Line dashed = Through(0, 0, 1, 0);
    dashed.style = static_cast<std::int16_t>(0xF0F0);
    DrawLine(canvas.handle(), dashed);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{"####....####....####"}));
}

TEST(DrawLine, ReachesTheTargetFromTheFarPoint) {
    // A segment from a visible point to a point 1e280 away still shows its visible part, in the
    // right place, and a dashed one keeps its pattern.
    Canvas canvas(10, 3);
    Line look = Look(1);
    look.style = static_cast<std::int16_t>(0xCCCC);
    EXPECT_EQ(DrawLineP(canvas.handle(), At(2, 1), At(2 + 1e280, 1), look), 0);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{"..........", "..##..##..", ".........."}));
    Canvas back(10, 3);
    DrawLineP(back.handle(), At(-1e280, 1), At(9, 1), Look(1));
    EXPECT_EQ(back.Count(Ink), 10);
}

// The rings a circle of thickness t should be made of, drawn directly.
void ExpectRings(const Circle& circle, std::initializer_list<float> radii) {
    Canvas drawn(24, 24);
    Canvas expected(24, 24);
    EXPECT_EQ(DrawCircle(drawn.handle(), circle), 0);
    for (float r : radii) {
        RasterEllipse(expected.handle(), static_cast<float>(circle.x), static_cast<float>(circle.y), r, Ink, 1.0f,
                      0.0f, static_cast<float>(TwoPi), 0);
    }
    EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink)) << "thickness " << circle.thickness;
}

TEST(DrawCircle, ThickRingsLieHalfAPixelApart) {
    ExpectRings(Circle{12, 12, 8, 0, 0, Ink, 1}, {7.5f});
    ExpectRings(Circle{12, 12, 8, 0, 0, Ink, 2}, {7.0f, 7.5f, 8.0f});
    ExpectRings(Circle{12, 12, 8, 0, 0, Ink, 3}, {6.5f, 7.0f, 7.5f, 8.0f, 8.5f});
    Canvas none(24, 24);
    EXPECT_EQ(DrawCircle(none.handle(), Circle{12, 12, 8, 0, 0, Ink, 0}), 0);
    EXPECT_EQ(DrawCircle(none.handle(), UndefinedCircle()), UNDEFINED_CODE);
    EXPECT_EQ(none.Count(Ink), 0);
}

TEST(DrawCircle, AnArcKeepsItsAngles) {
    Canvas drawn(24, 24);
    Canvas expected(24, 24);
    DrawCircle(drawn.handle(), Circle{12, 12, 8, 0.5, 2.0, Ink, 1});
    RasterEllipse(expected.handle(), 12, 12, 7.5f, Ink, 1.0f, 0.5f, 2.0f, 0);
    EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink));
    EXPECT_GT(drawn.Count(Ink), 0);
}

TEST(DrawCircle, FarAndHugeCirclesEndAndStayFinite) {
    Canvas canvas(16, 16);
    // Centre and radius near 1e280, where r + 0.5 == r: the ring loop still ends.
    EXPECT_EQ(DrawCircle(canvas.handle(), Circle{1e280, 8, 1e280, 0, 0, Ink, 5}), 0);
    EXPECT_EQ(DrawCircle(canvas.handle(), Circle{8, 8, 1e280, 0, 0, Ink, 1000000}), 0);
    EXPECT_EQ(canvas.Count(Ink), 0);
    // Within single precision but far, with two thousand million rings: few can reach the
    // target (this one passes through x = 0), and only those are drawn.
    Canvas far(16, 16);
    EXPECT_EQ(DrawCircle(far.handle(), Circle{1e30, 8, 1e30, 0, 0, Ink, 2000000000}), 0);
    // Two thousand million rings: only those that can reach the target are drawn, and
    // together they cover it.
    EXPECT_EQ(DrawCircle(canvas.handle(), Circle{8, 8, 3, 0, 0, Ink, 2000000000}), 0);
    // (The centre itself needs a ring of radius 0, which the raster layer may leave empty.)
    EXPECT_GE(canvas.Count(Ink), 16 * 16 - 1);
    EXPECT_TRUE(canvas.Is(0, 0, Ink) && canvas.Is(15, 15, Ink) && canvas.Is(0, 15, Ink));
    EXPECT_EQ(DrawCircle(canvas.handle(), Circle{NAN, 8, 3, 0, 0, Ink, 2}), 0);
}

TEST(DrawRect, StandsOnTheSegmentClockwiseForAPositiveHeight) {
    Canvas canvas(8, 6);
    EXPECT_EQ(DrawRect(canvas.handle(), At(1, 1), At(6, 1), 3.0, Look(1)), 0);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{"........", ".######.", ".#....#.", ".#....#.", ".######.", "........"}));
    EXPECT_EQ(DrawRect(canvas.handle(), At(1, 1), UndefinedPoint(), 3.0, Look(1)), UNDEFINED_CODE);
}

}  // namespace
}  // namespace vekora
