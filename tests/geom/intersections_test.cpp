// Crossings of lines and circles, the quadratic solver and the line-segment test.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/geom_support.h"

namespace vekora {
namespace {

using test::C;
using test::L;
using test::P;

constexpr double Half3 = 8.660254037844386;  // 10 * sqrt(3) / 2

void ExpectAt(const Point& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(LineCross, ParallelLinesMeetFarAlongTheFirst) {
    const Line first = L(0, 0, 1, 2, 5);
    const Line second = L(3, 0, -2, -4, 6);
    const Point far = VEK_LINECROSS(first, second);
    EXPECT_EQ(far.x, 1e280);
    EXPECT_EQ(far.y, 2e280);
    EXPECT_EQ(far.colour, 0x00FF00FFu);
    EXPECT_EQ(far.size, 0);
    const Point other = VEK_LINECROSS(second, first);
    EXPECT_EQ(other.x, 3 - 2e280);
    EXPECT_EQ(other.y, -4e280);
    EXPECT_TRUE(IsUndefined(VEK_LINECROSS(first, UndefinedLine())));
}

TEST(LineCross, CrossingTakesTheFirstLinesColourAndThickness) {
    const Point p = VEK_LINECROSS(L(0, 0, 100, 0, 0xC0, -1, 3), L(50, -50, 0, 100, 0xD0, -1, 5));
    ExpectAt(p, 50, 0);
    EXPECT_EQ(p.colour, 0xC0u);
    EXPECT_EQ(p.size, 3);
    EXPECT_EQ(p.shape, 0);
}

TEST(LineCircleCross, CountsAndOrdersAlongTheLine) {
    struct Case {
        Line line;
        Circle circle;
        std::int32_t count;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {L(0, 0, 1, 0), C(0, 0, 10), 2, -10, 0, 10, 0},
        {L(0, 0, -1, 0), C(0, 0, 10), 2, 10, 0, -10, 0},    // reversed direction swaps
        {L(0, 0, 0, 3), C(0, 0, 10), 2, 0, -10, 0, 10},
        {L(0, 0, 1, 0), C(0, 10, 10), 1, 0, 0, 0, 0},       // tangent
        {L(0, 0, 1, 0), C(0, 20, 10), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
        {L(0, 0, 0, 0), C(0, 0, 10), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
        {UndefinedLine(), C(0, 0, 10), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
    };
    for (const Case& c : cases) {
        Point out1 = P(1, 1, 0, 0, 77);
        Point out2 = out1;
        EXPECT_EQ(VEK_LINECIRCLECROSS(c.line, c.circle, out1, out2), c.count);
        ExpectAt(out1, c.x1, c.y1);
        ExpectAt(out2, c.x2, c.y2);
    }
}

TEST(LineCircleCross, OutputsTakeTheLinesColourAndThickness) {
    const Line line = L(0, 0, 1, 0, 0x99, -1, 4);
    Point out1 = P(0, 0, 0, 0, 77);
    Point out2 = out1;
    VEK_LINECIRCLECROSS(line, C(0, 20, 10), out1, out2);  // no point
    EXPECT_EQ(out1.colour, 0x99u);
    EXPECT_EQ(out2.size, 4);
    VEK_LINECIRCLECROSS(line, C(0, 0, 10), out1, out2);
    EXPECT_EQ(out1.colour, 0x99u);
    EXPECT_EQ(out1.size, 4);
    EXPECT_EQ(out1.shape, 77);  // two points: shapes are not written
    VEK_LINECIRCLECROSS(line, C(0, 10, 10), out1, out2);
    EXPECT_EQ(out1.shape, 0);  // tangent: the foot of the perpendicular, whole
}

TEST(CircleCross, FirstPointIsRightOfTheLineBetweenCentres) {
    struct Case {
        Circle c1, c2;
        std::int32_t count;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {C(0, 0, 10), C(10, 0, 10), 2, 5, Half3, 5, -Half3},
        {C(10, 0, 10), C(0, 0, 10), 2, 5, -Half3, 5, Half3},
        {C(0, 0, 10), C(0, 10, 10), 2, -Half3, 5, Half3, 5},    // one vertical, C2 below
        {C(0, 10, 10), C(0, 0, 10), 2, Half3, 5, -Half3, 5},    // one vertical, C2 above
        {C(0, 0, 10), C(1e-13, 10, 10), 2, -Half3, 5, Half3, 5},  // nearly vertical
        {C(0, 0, 5), C(10, 0, 5), 1, 5, 0, 5, 0},               // touching
        {C(0, 0, 5), C(0, 10, 5), 1, 0, 5, 0, 5},               // touching, one vertical
        {C(0, 0, 5), C(0, 0, 5), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},  // concentric
        {C(0, 0, 5), C(0, 0, 9), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
        {C(0, 0, 5), C(30, 0, 5), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
        {C(0, 0, 5), C(0, 30, 5), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
        {C(0, 0, 5), UndefinedCircle(), 0, UNDEFINED, UNDEFINED, UNDEFINED, UNDEFINED},
    };
    for (const Case& c : cases) {
        Point out1 = P(1, 1, 0, 3, 0);
        Point out2 = out1;
        EXPECT_EQ(VEK_CIRCLECROSS(c.c1, c.c2, out1, out2), c.count) << c.c2.x << "," << c.c2.y;
        ExpectAt(out1, c.x1, c.y1);
        ExpectAt(out2, c.x2, c.y2);
    }
}

TEST(CircleCross, PointsTakeTheFirstCirclesColourAndLowHalfOfItsWidth) {
    Point out1 = P(0, 0, 0x77, 3, 0);
    Point out2 = out1;
    VEK_CIRCLECROSS(C(0, 0, 5), C(30, 0, 5), out1, out2);
    EXPECT_EQ(out1.size, 0);
    EXPECT_EQ(out1.colour, 0x77u);  // no point: the colour stays
    VEK_CIRCLECROSS(C(0, 0, 10, 0xAA, 0x00030002), C(10, 0, 10, 0xBB, 9), out1, out2);
    EXPECT_EQ(out1.colour, 0xAAu);
    EXPECT_EQ(out2.colour, 0xAAu);
    EXPECT_EQ(out1.size, 2);
    EXPECT_EQ(out2.size, 2);
}

TEST(SolveEquation2, RootsLargerFirstAndUntouchedOutputs) {
    struct Case {
        double a, b, c;
        std::int32_t count;
        double out1, out2;
    };
    const Case cases[] = {
        {1, -3, 2, 2, 2, 1},
        {1, 2, 1, 1, -1, 99},
        {1, 0, 1, 0, 99, 99},
        {-1, 0, 4, 2, -2, 2},  // a < 0: the smaller first
        {0, 2, -4, 1, 2, 99},  // not a quadratic: the one root of the line
        {0, 0, 3, 0, 99, 99},
    };
    for (const Case& c : cases) {
        double out1 = 99, out2 = 99;
        EXPECT_EQ(VEK_SOLVEEQUATION2(c.a, c.b, c.c, out1, out2), c.count);
        EXPECT_EQ(out1, c.out1);
        EXPECT_EQ(out2, c.out2);
    }
}

TEST(LineIsBetween, CrossingOnLineAndParallelCases) {
    struct Case {
        Line line;
        Point a, b;
        std::int32_t expected;
    };
    const Line xAxis = L(0, 0, 1, 0);
    const Case cases[] = {
        {xAxis, P(5, -5), P(5, 5), -1},
        {xAxis, P(5, -5), P(5, 0.3), 2},
        {xAxis, P(5, 0.4), P(5, 5), 1},
        {xAxis, P(5, 0.4), P(9, -0.4), 3},
        {xAxis, P(5, 1), P(5, 5), 0},
        {xAxis, P(0, 3), P(10, 3), 0},  // parallel: the far point is not between
        {xAxis, P(0, 3), P(UNDEFINED, 3), UNDEFINED_CODE},
        {L(0, 0, 0, 0), P(5, -5), P(5, 5), UNDEFINED_CODE},
    };
    for (const Case& c : cases) EXPECT_EQ(VEK_LINEISBETWEEN(c.line, c.a, c.b), c.expected);
}

}  // namespace
}  // namespace vekora
