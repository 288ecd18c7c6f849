// Point markers: every shape, the half-width of size / 2, and points off the target.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/points.h"
#include "tests/support/figure_support.h"

namespace vekora {
namespace {

using testing::At;
using testing::Canvas;
using testing::Ink;
using Rows = std::vector<std::string>;

struct ShapeCase {
    std::int16_t shape;
    Rows rows;
};

TEST(DrawPoint, DrawsEachShapeAroundThePoint) {
    // Size 4 at (4, 4): half-width 2.
    const ShapeCase cases[] = {
        {0, {".........", ".........", "....#....", "....#....", "..#####..", "....#....", "....#....", ".........", "........."}},
        {4, {".........", ".........", "..#####..", "..#####..", "..#####..", "..#####..", "..#####..", ".........", "........."}},
        {5, {".........", ".........", "..#####..", "..#...#..", "..#...#..", "..#...#..", "..#####..", ".........", "........."}},
    };
    for (const ShapeCase& c : cases) {
        Canvas canvas(9, 9);
        EXPECT_EQ(DrawPoint(canvas.handle(), At(4, 4, Ink, 4, c.shape)), 0);
        EXPECT_EQ(canvas.Picture(Ink), c.rows) << "shape " << c.shape;
    }
}

TEST(DrawPoint, ArrowHeadsRunFromSizeBehindTheTipAndHalfToEitherSide) {
    struct Arrow {
        std::int16_t shape;
        float x1, y1, x2, y2;  // the two tails; the tip is (6, 6), size 4
    };
    const Arrow arrows[] = {{8, 10, 4, 10, 8}, {9, 2, 4, 2, 8}, {10, 4, 10, 8, 10}, {11, 4, 2, 8, 2}};
    for (const Arrow& a : arrows) {
        Canvas drawn(12, 12);
        Canvas expected(12, 12);
        DrawPoint(drawn.handle(), At(6, 6, Ink, 4, a.shape));
        RasterLine(expected.handle(), a.x1, a.y1, 6, 6, Ink, LineKind::Line, 0xFFFF);
        RasterLine(expected.handle(), a.x2, a.y2, 6, 6, Ink, LineKind::Line, 0xFFFF);
        EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink)) << "shape " << a.shape;
    }
}

TEST(DrawPoint, DiscAndCircleHaveRadiusHalfTheSize) {
    for (const std::int16_t shape : {2, 3}) {
        Canvas drawn(12, 12);
        Canvas expected(12, 12);
        DrawPoint(drawn.handle(), At(6, 6, Ink, 7, shape));
        RasterEllipse(expected.handle(), 6, 6, 3.5f, Ink, 1.0f, 0.0f, static_cast<float>(TwoPi), shape == 2 ? -1 : 0);
        EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink)) << "shape " << shape;
    }
}

TEST(DrawPoint, UnlistedShapesAreASinglePixel) {
    for (const std::int16_t shape : {1, 6, 7, 12, 300, -2}) {
        Canvas canvas(5, 5);
        EXPECT_EQ(DrawPoint(canvas.handle(), At(2, 3, Ink, 4, shape)), 0);
        EXPECT_EQ(canvas.Count(Ink), 1) << "shape " << shape;
        EXPECT_TRUE(canvas.Is(2, 3, Ink));
    }
}

TEST(DrawPoint, OffTargetPointsAreRefusedButTheFarEdgesAreNot) {
    Canvas canvas(5, 4);
    EXPECT_EQ(DrawPoint(canvas.handle(), At(-0.001, 2, Ink, 2, 4)), -1);
    EXPECT_EQ(DrawPoint(canvas.handle(), At(2, -0.001, Ink, 2, 4)), -1);
    EXPECT_EQ(DrawPoint(canvas.handle(), At(5.001, 2, Ink, 2, 4)), -1);
    EXPECT_EQ(DrawPoint(canvas.handle(), At(2, 4.001, Ink, 2, 4)), -1);
    EXPECT_EQ(DrawPoint(canvas.handle(), At(NAN, 2, Ink, 2, 4)), -1);
    EXPECT_EQ(canvas.Count(Ink), 0);
    // On the right and bottom edges (x = width, y = height): drawn, the square reaching in.
    EXPECT_EQ(DrawPoint(canvas.handle(), At(5, 4, Ink, 2, 4)), 0);
    EXPECT_TRUE(canvas.Is(4, 3, Ink));
    EXPECT_EQ(DrawPoint(canvas.handle(), UndefinedPoint()), UNDEFINED_CODE);
}

}  // namespace
}  // namespace vekora
