// Properties of the kernel on many random inputs: crossings lie on both figures, the
// ordering rules hold, conversions go and come back, and finite inputs give finite results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <random>

#include "tests/support/geom_support.h"

namespace vekora {
namespace {

using test::C;
using test::L;
using test::P;
using test::Solid;

constexpr int Trials = 20000;
constexpr double Relative = 1e-9;

class Random {
public:
    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    bool OneIn(int n) { return std::uniform_int_distribution<int>(1, n)(engine_) == 1; }
    // Mostly spread over a large page; sometimes a round value, so that coordinates,
    // directions and radii coincide or vanish as they do in real scripts.
    double Coordinate() {
        static constexpr double Round[] = {0, 1, -1, 100};
        if (OneIn(4)) return Round[std::uniform_int_distribution<int>(0, 3)(engine_)];
        return Uniform(-1e4, 1e4);
    }
    Point AnyPoint() { return P(Coordinate(), Coordinate(), 0x10, 2, 3); }
    Line AnyLine() {
        if (OneIn(6)) return L(Coordinate(), Coordinate(), 0, 0);
        return L(Coordinate(), Coordinate(), Coordinate(), Coordinate());
    }
    Circle AnyCircle() { return C(Coordinate(), Coordinate(), std::fabs(Coordinate())); }

private:
    std::mt19937 engine_{20261207};
};

// The size of the numbers involved, for relative tolerances.
double Scale(std::initializer_list<double> values) {
    double scale = 1;
    for (double v : values) scale = std::max(scale, std::fabs(v));
    return scale;
}

// Screen "right of" the direction d: positive when p - origin lies clockwise of d on screen.
double Cross(double dx, double dy, const Point& origin, const Point& p) {
    return dx * (p.y - origin.y) - dy * (p.x - origin.x);
}

TEST(Properties, LineCrossingLiesOnBothLines) {
    Random random;
    for (int i = 0; i < Trials; ++i) {
        const Line l1 = L(random.Coordinate(), random.Coordinate(), random.Uniform(-9, 9), 1);
        const Line l2 = L(random.Coordinate(), random.Coordinate(), 1, random.Uniform(-9, 9));
        const Point p = VEK_LINECROSS(l1, l2);
        const double tolerance = Relative * Scale({p.x, p.y, l1.x0, l1.y0, l2.x0, l2.y0});
        EXPECT_LE(VEK_LINEDISTANCE(p, l1), tolerance);
        EXPECT_LE(VEK_LINEDISTANCE(p, l2), tolerance);
    }
}

TEST(Properties, LineCircleCrossingsLieOnBothAndComeInLineOrder) {
    Random random;
    for (int i = 0; i < Trials; ++i) {
        const Line line = L(random.Coordinate(), random.Coordinate(), random.Uniform(-50, 50),
                            random.Uniform(-50, 50));
        const Point centre = random.AnyPoint();
        const Circle circle =
            C(centre.x, centre.y, VEK_LINEDISTANCE(centre, line) * random.Uniform(0.5, 1.5));
        Point out1{}, out2{};
        const std::int32_t count = VEK_LINECIRCLECROSS(line, circle, out1, out2);
        const double tolerance = Relative * Scale({line.x0, line.y0, centre.x, centre.y, circle.r});
        if (count == 0) {
            EXPECT_GT(VEK_LINEDISTANCE(centre, line), circle.r - tolerance);
            continue;
        }
        for (const Point& p : {out1, out2}) {
            EXPECT_LE(VEK_LINEDISTANCE(p, line), tolerance);
            const double off = std::fabs(VEK_DISTANCE(centre, p) - circle.r);
            EXPECT_LE(off, count == 1 ? 1e-6 : tolerance);
        }
        EXPECT_GE((out2.x - out1.x) * line.dx + (out2.y - out1.y) * line.dy, 0);
    }
}

TEST(Properties, CircleCrossingsLieOnBothAndFirstIsOnTheRight) {
    Random random;
    for (int i = 0; i < Trials; ++i) {
        const Point common = random.AnyPoint();
        const Point centre1 = random.AnyPoint();
        Point centre2 = random.AnyPoint();
        if (random.OneIn(6)) centre2.x = centre1.x;                      // one vertical
        if (random.OneIn(6)) centre2.x = centre1.x + random.Uniform(-1e-9, 1e-9);
        // Nearly concentric circles meet in points no double arithmetic can pin down.
        const double apart = VEK_DISTANCE(centre1, centre2);
        if (apart < 1e-6 * Scale({centre1.x, centre1.y, centre2.x, centre2.y})) continue;
        const Circle c1 = C(centre1.x, centre1.y, VEK_DISTANCE(centre1, common));
        const Circle c2 = C(centre2.x, centre2.y, VEK_DISTANCE(centre2, common));
        Point out1{}, out2{};
        const std::int32_t count = VEK_CIRCLECROSS(c1, c2, out1, out2);
        const double tolerance =
            Relative * Scale({centre1.x, centre1.y, centre2.x, centre2.y, c1.r, c2.r});
        const double dx = c2.x - c1.x, dy = c2.y - c1.y;
        const double crossTolerance = tolerance * apart;
        if (count == 0) {  // only when touching: the test for tangency has no tolerance
            EXPECT_LE(std::fabs(Cross(dx, dy, centre1, common)), crossTolerance) << i;
            continue;
        }
        for (const Point& p : {out1, out2}) {
            EXPECT_LE(std::fabs(VEK_DISTANCE(centre1, p) - c1.r), tolerance) << i;
            EXPECT_LE(std::fabs(VEK_DISTANCE(centre2, p) - c2.r), tolerance) << i;
        }
        EXPECT_GE(Cross(dx, dy, centre1, out1), -crossTolerance) << i;
        EXPECT_LE(Cross(dx, dy, centre1, out2), crossTolerance) << i;
    }
}

TEST(Properties, ConversionsRoundTrip) {
    Random random;
    for (int i = 0; i < Trials; ++i) {
        const LineEquation e{random.OneIn(8) ? UNDEFINED : random.Uniform(-1e3, 1e3),
                             random.Coordinate(), 0, 0, 0};
        const LineEquation back = VEK_VECTORIALTOEQUAT(VEK_EQUATTOVECTORIAL(e));
        EXPECT_NEAR(back.m, e.m, Relative * Scale({e.m}));
        EXPECT_NEAR(back.b, e.b, Relative * Scale({e.b, e.m}));

        const Line line = random.AnyLine();
        const Line again = VEK_EQUATTOVECTORIAL(VEK_VECTORIALTOEQUAT(line));
        const Point end = P(line.x0 + line.dx, line.y0 + line.dy);
        // A steep line's equation holds its points only as well as its slope allows.
        const double slope = line.dx != 0 ? line.dy / line.dx : 0;
        const double tolerance = Relative * Scale({line.x0, line.y0, end.x, end.y}) * Scale({slope});
        if (line.dx != 0 || line.dy != 0) {
            EXPECT_LE(VEK_LINEDISTANCE(P(line.x0, line.y0), again), tolerance);
            EXPECT_LE(VEK_LINEDISTANCE(end, again), tolerance);
        }

        const Point p = random.AnyPoint();
        const Point centre = random.AnyPoint();
        const double angle = random.Uniform(-10, 10);
        const Point turned = VEK_ROTATEPOINT(VEK_ROTATEPOINT(p, centre, angle), centre, -angle);
        const double pointTolerance = Relative * Scale({p.x, p.y, centre.x, centre.y});
        EXPECT_NEAR(turned.x, p.x, pointTolerance);
        EXPECT_NEAR(turned.y, p.y, pointTolerance);

        Point start{}, stop{};
        ArcEndpoints(VEK_MAKEARC(centre, p, 0), start, stop);
        EXPECT_NEAR(start.x, p.x, pointTolerance);
        EXPECT_NEAR(stop.y, p.y, pointTolerance);
    }
}

bool Finite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool Finite(const Line& l) {
    return std::isfinite(l.x0) && std::isfinite(l.y0) && std::isfinite(l.dx) &&
           std::isfinite(l.dy);
}
bool Finite(const Circle& c) {
    return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.r) &&
           std::isfinite(c.start) && std::isfinite(c.end);
}
bool Finite(const LineEquation& e) { return std::isfinite(e.m) && std::isfinite(e.b); }

// Every routine on degenerate-prone inputs: coincident points, lines without direction,
// zero radii, shared centres.
TEST(Properties, FiniteInputsGiveFiniteResults) {
    Random random;
    for (int i = 0; i < Trials; ++i) {
        Point a = random.AnyPoint(), b = random.OneIn(5) ? a : random.AnyPoint();
        const Line l1 = random.AnyLine(), l2 = random.AnyLine();
        const Circle c1 = random.AnyCircle();
        const Circle c2 = random.OneIn(5) ? C(c1.x, c1.y, random.Coordinate()) : random.AnyCircle();
        const double value = random.Coordinate();
        EXPECT_TRUE(Finite(VEK_MAKELINE(a, b, Solid)));
        EXPECT_TRUE(Finite(VEK_MAKELINEPOLAR(a, value, Solid)));
        EXPECT_TRUE(Finite(VEK_MAKERIGHTANGLE(a, l1)));
        EXPECT_TRUE(std::isfinite(VEK_DISTANCE(a, b) + VEK_LINEDISTANCE(a, l1)));
        EXPECT_TRUE(Finite(VEK_ADVANCEONLINE(a, l1, value)));
        EXPECT_TRUE(Finite(VEK_ADVANCETOPOINT(a, b, value)));
        Point outA{}, outB{};
        VEK_RECTOVER(a, b, value, outA, outB);
        EXPECT_TRUE(Finite(outA) && Finite(outB));
        const LineEquation e = VEK_VECTORIALTOEQUAT(l1);
        EXPECT_TRUE(Finite(e) && Finite(VEK_EQUATTOVECTORIAL(e)));
        EXPECT_TRUE(std::isfinite(VEK_LINEDISTANCEEQUAT(a, e)));
        EXPECT_TRUE(Finite(VEK_LINECROSS(l1, l2)));
        VEK_LINECIRCLECROSS(l1, c1, outA, outB);
        EXPECT_TRUE(Finite(outA) && Finite(outB)) << i;
        VEK_CIRCLECROSS(c1, c2, outA, outB);
        EXPECT_TRUE(Finite(outA) && Finite(outB)) << i;
        double root1 = 0, root2 = 0;
        VEK_SOLVEEQUATION2(random.OneIn(4) ? 0 : value, random.Coordinate(), random.Coordinate(),
                           root1, root2);
        EXPECT_TRUE(std::isfinite(root1) && std::isfinite(root2));
        EXPECT_TRUE(std::isfinite(VEK_ANGLE(l1, l2)));
        EXPECT_TRUE(Finite(VEK_MAKEANGLE(a, l1, value, Solid)));
        EXPECT_TRUE(Finite(VEK_ROTATEPOINT(a, b, value)));
        const Circle arc = VEK_MAKEARC(a, b, value);
        EXPECT_TRUE(Finite(arc));
        ArcEndpoints(arc, outA, outB);
        EXPECT_TRUE(Finite(outA) && Finite(outB));
        const std::int32_t crossing = VEK_LINEISBETWEEN(l1, a, b);
        EXPECT_TRUE(crossing == UNDEFINED_CODE || (crossing >= -1 && crossing <= 3));
        VEK_SETFIRSTANGLE(a, b, l1);
        EXPECT_TRUE(Finite(a) && Finite(b));
    }
}

}  // namespace
}  // namespace vekora
