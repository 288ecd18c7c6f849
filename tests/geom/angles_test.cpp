// Direction angles, rotation, arcs, arc ends and the three ordering routines.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/geom_support.h"

namespace vekora {
namespace {

using test::L;
using test::P;
using test::Solid;

TEST(AbsAngle, CounterclockwiseOnScreenInOneTurn) {
    struct Case {
        double dx, dy, angle;
    };
    const Case cases[] = {
        {100, 0, 0},          {0, -100, Pi / 2}, {-100, 0, Pi},
        {0, 100, 3 * Pi / 2}, {1, 1, 7 * Pi / 4}, {1, -1, Pi / 4},
        {0, 0, 0},
    };
    for (const Case& c : cases) {
        const double angle = VEK_ABSANGLE(L(5, 5, c.dx, c.dy));
        EXPECT_NEAR(angle, c.angle, 1e-12) << c.dx << "," << c.dy;
        EXPECT_FALSE(std::signbit(angle));
    }
    EXPECT_EQ(VEK_ABSANGLE(UndefinedLine()), UNDEFINED);
}

TEST(Angle, TurnFromFirstToSecond) {
    const Line right = L(0, 0, 1, 0);
    EXPECT_EQ(VEK_ANGLE(right, right), 0);
    EXPECT_NEAR(VEK_ANGLE(right, L(0, 0, -1, 0)), Pi, 1e-12);
    EXPECT_NEAR(VEK_ANGLE(right, L(0, 0, 0, 1)), 3 * Pi / 2, 1e-12);
    EXPECT_NEAR(VEK_ANGLE(L(0, 0, 0, 1), right), Pi / 2, 1e-12);
    EXPECT_EQ(VEK_ANGLE(right, UndefinedLine()), UNDEFINED);

    const Line turned = VEK_MAKEANGLE(P(1, 2, 0x44), L(0, 0, 0, 1), Pi / 2, Solid);
    EXPECT_NEAR(turned.dx, 100, 1e-9);  // a quarter turn counterclockwise from "down"
    EXPECT_NEAR(turned.dy, 0, 1e-9);
    EXPECT_EQ(turned.colour, 0x44u);
}

TEST(RotatePoint, QuarterTurnMovesRightOfCentreToAbove) {
    const Point p = VEK_ROTATEPOINT(P(10, 0, 1, 2, 3), P(0, 0), Pi / 2);
    EXPECT_NEAR(p.x, 0, 1e-9);
    EXPECT_NEAR(p.y, -10, 1e-9);
    EXPECT_EQ(p.shape, 3);
    EXPECT_TRUE(IsUndefined(VEK_ROTATEPOINT(P(1, 1), P(UNDEFINED, 0), 1)));
}

TEST(MakeArc, EndsNormalisedEachOnItsOwn) {
    struct Case {
        Point p;
        double opening, start, end;
    };
    const double step = RadiansPerDegreeStep;
    const Case cases[] = {
        {P(10, 0), 0, 0, 0},
        {P(0, -10), Pi / 2, Pi / 4, 3 * Pi / 4},
        {P(-10, 0), Pi / 2, 3 * Pi / 4, 5 * Pi / 4},
        {P(0, -10), -step, Pi / 2 + step / 2, Pi / 2 - step / 2},  // an omitted opening
        {P(10, 0), -step, step / 2, TwoPi - step / 2},
    };
    for (const Case& c : cases) {
        const Circle arc = VEK_MAKEARC(P(0, 0), c.p, c.opening);
        EXPECT_NEAR(arc.r, 10, 1e-12);
        EXPECT_NEAR(arc.start, c.start, 1e-12) << c.p.x << "," << c.p.y << " " << c.opening;
        EXPECT_NEAR(arc.end, c.end, 1e-12) << c.p.x << "," << c.p.y << " " << c.opening;
    }
}

TEST(MakeArc, TakesPointsLookAndSurvivesHugeOpenings) {
    const Circle arc = VEK_MAKEARC(P(1, 2), P(4, 6, 0xEE, -3), 1);
    EXPECT_EQ(arc.x, 1);
    EXPECT_EQ(arc.r, 5);
    EXPECT_EQ(arc.colour, 0xEEu);
    EXPECT_EQ(arc.thickness, -3);
    for (double opening : {1e300, -1e300, 4e17, 12345.678}) {
        const Circle wide = VEK_MAKEARC(P(0, 0), P(3, 4), opening);
        EXPECT_GE(wide.start, 0);
        EXPECT_LE(wide.start, TwoPi);
        EXPECT_GE(wide.end, 0);
        EXPECT_LE(wide.end, TwoPi);
    }
    EXPECT_TRUE(IsUndefined(VEK_MAKEARC(P(UNDEFINED, 0), P(3, 4), 1)));
}

TEST(ArcEndpoints, StartAndEndOnTheCircle) {
    Point from = P(0, 0, 0, 0, 9);
    Point to = from;
    EXPECT_EQ(ArcEndpoints(Circle{0, 0, 10, 0, Pi / 2, 0x5A, 0x00070004}, from, to), 0);
    EXPECT_NEAR(from.x, 10, 1e-9);
    EXPECT_NEAR(from.y, 0, 1e-9);
    EXPECT_NEAR(to.x, 0, 1e-9);
    EXPECT_NEAR(to.y, -10, 1e-9);
    EXPECT_EQ(from.colour, 0x5Au);
    EXPECT_EQ(to.size, 4);
    EXPECT_EQ(to.shape, 0);

    EXPECT_EQ(ArcEndpoints(Circle{3, 4, 2, 0, 0, 0, 1}, from, to), 0);  // full circle
    EXPECT_EQ(from.x, 5);
    EXPECT_EQ(to.x, 5);
    EXPECT_EQ(to.y, 4);

    Point keep = P(1, 1, 0x10, 2, 3);
    Point keep2 = keep;
    EXPECT_EQ(ArcEndpoints(UndefinedCircle(), keep, keep2), UNDEFINED_CODE);
    EXPECT_EQ(keep.y, UNDEFINED);
    EXPECT_EQ(keep2.x, UNDEFINED);
    EXPECT_EQ(keep.colour, 0x10u);
    EXPECT_EQ(keep.shape, 3);
}

TEST(SetFirst, ComponentsDisagreeingOrZeroExchange) {
    struct Case {
        Point a, b;
        Line l;
        bool exchanged;
    };
    const Case cases[] = {
        {P(10, 0), P(0, 0), L(0, 0, 1, 0), true},
        {P(10, 0), P(0, 0), L(0, 0, 0, -100), true},  // both products 0
        {P(0, 0), P(10, 0), L(0, 0, 1, 0), false},
        {P(0, 0), P(10, -10), L(0, 0, 1, 1), false},  // x agrees, y does not
        {P(3, 3), P(3, 3), L(0, 0, -1, 0), true},     // coincident: B - A is (1e-6, 0)
    };
    for (const Case& c : cases) {
        Point a = c.a, b = c.b;
        a.colour = 1;
        b.colour = 2;
        EXPECT_EQ(VEK_SETFIRST(a, b, c.l), 0);
        EXPECT_EQ(a.colour, c.exchanged ? 2u : 1u) << c.a.x << "," << c.a.y;
        EXPECT_EQ(b.colour, c.exchanged ? 1u : 2u);
    }
}

TEST(Ordering, UndefinedRecordsGoLast) {
    const Line l = L(0, 0, 1, 0);
    Point a = UndefinedPoint(), b = P(1, 2);
    EXPECT_EQ(VEK_SETFIRST(a, b, l), -1);
    EXPECT_EQ(a.x, 1);
    EXPECT_TRUE(IsUndefined(b));
    EXPECT_EQ(VEK_SETFIRSTANGLE(a, b, l), -1);
    EXPECT_EQ(a.x, 1);
    b = UndefinedPoint();
    a = UndefinedPoint();
    EXPECT_EQ(VEK_SETFIRST(a, b, l), -2);
    Line l1 = UndefinedLine(), l2 = L(7, 0, 1, 0);
    EXPECT_EQ(VEK_SETSMALLERANGLE(l1, l2), -1);
    EXPECT_EQ(l1.x0, 7);
}

TEST(SetFirstAngle, MetFirstTurningCounterclockwise) {
    const Line right = L(0, 0, 1, 0);
    Point a = P(0, 10), b = P(0, -10);  // below (3/4 turn) and above (1/4 turn)
    EXPECT_EQ(VEK_SETFIRSTANGLE(a, b, right), 0);
    EXPECT_EQ(a.y, -10);
    EXPECT_EQ(VEK_SETFIRSTANGLE(a, b, right), 0);
    EXPECT_EQ(a.y, -10);
    Point c = P(-5, 0), d = P(5, 0);  // behind the base, then straight ahead (angle 0)
    EXPECT_EQ(VEK_SETFIRSTANGLE(c, d, right), 0);
    EXPECT_EQ(c.x, 5);
}

TEST(SetSmallerAngle, HalfTurnOrMoreExchanges) {
    struct Case {
        double dx, dy;
        bool exchanged;
    };
    // The half turn comes out just above the literal Pi, so opposite lines are exchanged.
    const Case cases[] = {{0, 100, true}, {0, -100, false}, {-100, 0, true}, {5, 0, false}};
    for (const Case& c : cases) {
        Line l1 = L(0, 0, 100, 0);
        Line l2 = L(1, 1, c.dx, c.dy);
        EXPECT_EQ(VEK_SETSMALLERANGLE(l1, l2), 0);
        EXPECT_EQ(l1.x0, c.exchanged ? 1 : 0) << c.dx << "," << c.dy;
    }
}

}  // namespace
}  // namespace vekora
