// Making lines, distances, moving points, betweenness, rectangles and line equations.
#include <gtest/gtest.h>

#include "tests/support/geom_support.h"

namespace vekora {
namespace {

using test::ExpectSame;
using test::L;
using test::P;
using test::Solid;

TEST(MakeLine, CoincidentPointsGiveATinyHorizontalDirection) {
    ExpectSame(VEK_MAKELINE(P(3, 4, 0x123456), P(3, 4), LineLook{0x0F0F, 2}),
               L(3, 4, 1e-6, 0, 0x123456, 0x0F0F, 2));
    EXPECT_TRUE(IsUndefined(VEK_MAKELINE(P(UNDEFINED, 0), P(1, 1), Solid)));
    EXPECT_TRUE(IsUndefined(VEK_MAKELINE(P(1, 1), P(UNDEFINED, 0), Solid)));
}

TEST(MakeLine, PolarAndRightAngleTurnAsSeenOnScreen) {
    const Line up = VEK_MAKELINEPOLAR(P(1, 2, 7), Pi / 2, Solid);
    EXPECT_NEAR(up.dx, 0, 1e-9);
    EXPECT_DOUBLE_EQ(up.dy, -100);
    EXPECT_EQ(up.colour, 7u);
    ExpectSame(VEK_MAKERIGHTANGLE(P(5, 6), L(0, 0, 100, 0, 9, 0x00FF, 4)),
               L(5, 6, 0, 100, 9, 0x00FF, 4));
    EXPECT_TRUE(IsUndefined(VEK_MAKERIGHTANGLE(P(5, 5), UndefinedLine())));
}

TEST(Distances, UndefinedAndDirectionlessFiguresGiveZero) {
    EXPECT_EQ(VEK_DISTANCE(P(0, 0), P(3, 4)), 5);
    EXPECT_EQ(VEK_DISTANCE(P(UNDEFINED, 0), P(3, 4)), 0);
    const Line xAxis = L(0, 0, 7, 0);
    EXPECT_EQ(VEK_LINEDISTANCE(P(3, -4), xAxis), 4);
    EXPECT_EQ(VEK_LINEDISTANCE(P(-9, 4), xAxis), 4);
    EXPECT_EQ(VEK_LINEDISTANCE(P(3, 4), UndefinedLine()), 0);
    EXPECT_EQ(VEK_LINEDISTANCE(P(3, 4), L(0, 0, 0, 0)), 0);
}

TEST(Advance, MovesAlongTheDirectionOrTowardsThePoint) {
    const Point off = P(3, 4, 0x11, 5, 6);
    ExpectSame(VEK_ADVANCEONLINE(off, L(0, 0, 2, 0), 0), off);
    const Point back = VEK_ADVANCEONLINE(off, L(0, 0, 0, 2), -10);
    EXPECT_EQ(back.x, 3);
    EXPECT_EQ(back.y, -6);
    EXPECT_TRUE(IsUndefined(VEK_ADVANCEONLINE(off, L(0, 0, 0, 0), 1)));

    const Point past = VEK_ADVANCETOPOINT(P(0, 0, 0x22), P(3, 4), 10);
    EXPECT_DOUBLE_EQ(past.x, 6);
    EXPECT_DOUBLE_EQ(past.y, 8);
    EXPECT_EQ(past.colour, 0x22u);
    EXPECT_TRUE(IsUndefined(VEK_ADVANCETOPOINT(P(1, 1), P(1, 1), 1)));
    EXPECT_TRUE(IsUndefined(VEK_ADVANCETOPOINT(P(0, 0), P(1e-320, 0), 1)));
}

TEST(Midpoint, TakesTheFirstPointsLookAndPassesUndefinedOn) {
    ExpectSame(Midpoint(P(2, 4, 0x11, 5, 6), P(-8, 10, 0x22, 7, 1)), P(-3, 7, 0x11, 5, 6));
    // Opposite far points meet at the origin; an undefined end gives an undefined midpoint.
    ExpectSame(Midpoint(P(1e280, -1e280), P(-1e280, 1e280)), P(0, 0));
    EXPECT_TRUE(IsUndefined(Midpoint(UndefinedPoint(), P(1, 1))));
    EXPECT_TRUE(IsUndefined(Midpoint(P(1, 1), UndefinedPoint())));
}

TEST(IsBetween, NearlyVerticalAndHorizontalPairsTestOneAxis) {
    struct Case {
        Point x, y, z;
        std::int32_t expected;
    };
    const Case cases[] = {
        {P(0, 0), P(30, 50), P(0.5, 100), -1},    // nearly vertical: only y counts
        {P(0, 0), P(30, 50), P(2, 100), 0},       // x is tested too
        {P(0, 0), P(50, 30), P(100, 0.5), -1},    // nearly horizontal: only x counts
        {P(0, 0), P(0, 0), P(10, 10), 0},         // Y equal to X
        {P(10, 10), P(5, 5), P(0, 0), -1},        // ends in either order
        {P(0, 0), P(5, 50), P(1, 100), 0},        // exactly 1 apart in x: both axes tested
        {P(0, 0), P(5, 5), P(UNDEFINED, 0), UNDEFINED_CODE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VEK_ISBETWEEN(c.x, c.y, c.z), c.expected) << c.y.x << "," << c.y.y;
    }
}

TEST(RectOver, OppositeSideKeepsShapesAndMarksUndefinedInputs) {
    Point outA = P(0, 0, 0, 0, 41);
    Point outB = P(0, 0, 0, 0, 42);
    EXPECT_EQ(VEK_RECTOVER(P(0, 0, 1, 2, 3), P(10, 0, 4, 5, 6), 5, outA, outB), 0);
    ExpectSame(outA, P(0, 5, 1, 2, 41));
    ExpectSame(outB, P(10, 5, 4, 5, 42));

    // Each output may be the other input: the results come from the inputs as given.
    Point a = P(0, 0, 1, 2, 3);
    Point b = P(10, 0, 4, 5, 6);
    EXPECT_EQ(VEK_RECTOVER(a, b, 5, b, a), 0);
    ExpectSame(b, P(0, 5, 1, 2, 6));
    ExpectSame(a, P(10, 5, 4, 5, 3));

    for (const Point& b : {P(UNDEFINED, 0), P(0, 0)}) {  // undefined, or coincident with A
        Point a2 = P(1, 1, 9, 9, 9);
        Point b2 = a2;
        EXPECT_EQ(VEK_RECTOVER(P(0, 0), b, 5, a2, b2), UNDEFINED_CODE);
        EXPECT_EQ(a2.y, UNDEFINED);
        EXPECT_EQ(b2.x, UNDEFINED);
        EXPECT_EQ(a2.colour, 9u);
        EXPECT_EQ(b2.size, 9);
    }
}

TEST(Equations, ConversionsMoveEachFieldToItsOwnPlace) {
    const LineEquation e = VEK_VECTORIALTOEQUAT(L(2, 3, 4, 2, 0xAB, 0x00F0, 7));
    EXPECT_EQ(e.m, 0.5);
    EXPECT_EQ(e.b, 2);
    EXPECT_EQ(e.colour, 0xABu);
    EXPECT_EQ(e.style, 0x00F0);
    EXPECT_EQ(e.thickness, 7);
    const Line back = VEK_EQUATTOVECTORIAL(e);
    EXPECT_EQ(back.style, 0x00F0);
    EXPECT_EQ(back.thickness, 7);

    const LineEquation vertical = VEK_VECTORIALTOEQUAT(L(6, 1, 0, -3));
    EXPECT_EQ(vertical.m, UNDEFINED);
    EXPECT_EQ(vertical.b, 6);
    const Line up = VEK_EQUATTOVECTORIAL(vertical);
    EXPECT_EQ(up.x0, 6);
    EXPECT_EQ(up.dx, 0);
    EXPECT_EQ(VEK_VECTORIALTOEQUAT(up).b, 6);
    EXPECT_TRUE(IsUndefined(VEK_VECTORIALTOEQUAT(UndefinedLine())));
    EXPECT_EQ(VEK_VECTORIALTOEQUAT(UndefinedLine()).m, UNDEFINED);
    EXPECT_TRUE(IsUndefined(VEK_EQUATTOVECTORIAL(UndefinedEquation())));
}

TEST(Equations, DistanceToAnEquationMatchesTheVectorForm) {
    struct Case {
        LineEquation e;
        Point p;
    };
    const Case cases[] = {
        {{0.5, 2, 0, 0, 0}, P(10, -3)},
        {{-3, 0, 0, 0, 0}, P(1, 1)},
        {{0, 7, 0, 0, 0}, P(5, 7)},
        {{UNDEFINED, 4, 0, 0, 0}, P(-1, 100)},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(VEK_LINEDISTANCEEQUAT(c.p, c.e),
                    VEK_LINEDISTANCE(c.p, VEK_EQUATTOVECTORIAL(c.e)), 1e-12);
    }
    EXPECT_EQ(VEK_LINEDISTANCEEQUAT(P(-1, 100), {UNDEFINED, 4, 0, 0, 0}), 5);
    EXPECT_EQ(VEK_LINEDISTANCEEQUAT(P(1, 1), UndefinedEquation()), 0);
}

}  // namespace
}  // namespace vekora
