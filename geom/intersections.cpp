// Intersections and the quadratic solver.
#include "geom/intersections.h"

#include <cmath>
#include <utility>

#include "geom/angles.h"
#include "geom/lines.h"
#include "geom/ordering.h"

namespace vekora {
namespace {

// How far along the first line parallel lines are taken to meet.
constexpr double ParallelFactor = 1e280;
// The transparent colour: the far point is never seen.
constexpr std::uint32_t FarPointColour = 0x00FF00FF;
// A line whose distance from the centre is within this of the radius touches the circle.
constexpr double TangencyTolerance = 1e-6;
// A point closer than this to a line lies on it (pixels).
constexpr double OnLineTolerance = 0.5;

// Two circles' common points lie on their radical line 2*dx*x + 2*dy*y = k and on the
// first circle about (x1, y1) with radius r1.
struct RadicalLine {
    double x1, y1, r1, dx, dy, k;
};

// The common points of the radical line and the first circle, found by eliminating x:
// a quadratic in y. Needs dx != 0; callers pass the axes exchanged to eliminate y instead.
// Returns the count; coordinates beyond it are meaningless.
std::int32_t CrossEliminatingX(const RadicalLine& line, double& xa, double& ya, double& xb,
                               double& yb) {
    const double dx = line.dx, dy = line.dy, k = line.k, x1 = line.x1, y1 = line.y1;
    const double a = dx * dx + dy * dy;
    const double b = -dy * k + 2 * dx * dy * x1 - 2 * dx * dx * y1;
    const double c = k * k / 4 - k * x1 * dx + dx * dx * (x1 * x1 + y1 * y1 - line.r1 * line.r1);
    ya = yb = 0;
    const std::int32_t count = VEK_SOLVEEQUATION2(a, b, c, ya, yb);
    xa = (k - 2 * dy * ya) / (2 * dx);
    xb = (k - 2 * dy * yb) / (2 * dx);
    return count;
}

void SetCirclePoint(Point& out, double x, double y, const Circle& circle) {
    out.x = x;
    out.y = y;
    out.colour = circle.colour;
    out.size = SizeOnCircle(circle);
}

}  // namespace

Point VEK_LINECROSS(const Line& l1, const Line& l2) {
    if (IsUndefined(l1) || IsUndefined(l2)) return UndefinedPoint();
    const double den = l1.dy * l2.dx - l2.dy * l1.dx;
    if (den == 0) {
        return Point{l1.x0 + ParallelFactor * l1.dx, l1.y0 + ParallelFactor * l1.dy,
                     FarPointColour, 0, 0};
    }
    const double t = ((l1.x0 - l2.x0) * l1.dy + (l2.y0 - l1.y0) * l1.dx) / den;
    return Point{l2.x0 + t * l2.dx, l2.y0 + t * l2.dy, l1.colour, l1.thickness, 0};
}

std::int32_t VEK_LINECIRCLECROSS(const Line& l, const Circle& c, Point& out1, Point& out2) {
    for (Point* out : {&out1, &out2}) {
        SetUndefined(*out);
        out->colour = l.colour;
        out->size = l.thickness;
    }
    if (IsUndefined(c) || LacksDirection(l)) return 0;
    const Point centre{c.x, c.y, 0, 0, 0};
    const Point foot = VEK_LINECROSS(VEK_MAKERIGHTANGLE(centre, l), l);
    if (std::fabs(VEK_DISTANCE(centre, foot) - c.r) < TangencyTolerance) {
        out1 = foot;
        out2 = foot;
        return 1;
    }
    // Parameters along L: t = (along +- s) / a, with s from the centre's offset across L.
    const double ux = c.x - l.x0;
    const double uy = c.y - l.y0;
    const double along = ux * l.dx + uy * l.dy;
    const double across = uy * l.dx - ux * l.dy;
    const double a = l.dx * l.dx + l.dy * l.dy;
    const double discriminant = c.r * a * c.r - across * across;
    if (discriminant < 0) return 0;
    const double s = std::sqrt(discriminant);
    out1.x = l.x0 + ((along + s) / a) * l.dx;
    out1.y = l.y0 + ((along + s) / a) * l.dy;
    out2.x = l.x0 + ((along - s) / a) * l.dx;
    out2.y = l.y0 + ((along - s) / a) * l.dy;
    VEK_SETFIRST(out1, out2, l);  // always exchanges: out1 becomes the point met first
    return 2;
}

std::int32_t VEK_CIRCLECROSS(const Circle& c1, const Circle& c2, Point& out1, Point& out2) {
    SetUndefined(out1);
    SetUndefined(out2);
    out1.size = out2.size = 0;
    if (IsUndefined(c1) || IsUndefined(c2)) return 0;
    const double dx = c2.x - c1.x;
    const double dy = c2.y - c1.y;
    if (dx == 0 && dy == 0) return 0;  // concentric: no point, or all of them
    const double k = c1.r * c1.r - c2.r * c2.r + c2.x * c2.x - c1.x * c1.x + c2.y * c2.y -
                     c1.y * c1.y;
    // Eliminate the coordinate along which the centres lie further apart: dividing by the
    // smaller difference loses every digit when the centres are (nearly) on one vertical.
    double xa = 0, ya = 0, xb = 0, yb = 0;
    const std::int32_t count =
        std::fabs(dx) >= std::fabs(dy)
            ? CrossEliminatingX({c1.x, c1.y, c1.r, dx, dy, k}, xa, ya, xb, yb)
            : CrossEliminatingX({c1.y, c1.x, c1.r, dy, dx, k}, ya, xa, yb, xb);
    if (count == 0) return 0;
    SetCirclePoint(out1, xa, ya, c1);
    if (count == 1) {  // the discriminant is exactly 0; there is no tolerance
        out2 = out1;
        return 1;
    }
    SetCirclePoint(out2, xb, yb, c1);
    const Point centre1{c1.x, c1.y, 0, 0, 0};
    const Point centre2{c2.x, c2.y, 0, 0, 0};
    if (VEK_ANGLE(LineThrough(centre1, out1), LineThrough(centre1, centre2)) > Pi) {
        std::swap(out1, out2);
    }
    return 2;
}

std::int32_t VEK_SOLVEEQUATION2(double a, double b, double c, double& out1, double& out2) {
    if (a == 0) {  // not a quadratic: the formula below would divide by zero
        if (b == 0) return 0;
        out1 = -c / b;
        return 1;
    }
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return 0;
    if (discriminant == 0) {
        out1 = -b / (a + a);
        return 1;
    }
    const double s = std::sqrt(discriminant);
    out1 = (-b + s) / (2 * a);
    out2 = (-b - s) / (2 * a);
    return 2;
}

std::int32_t VEK_LINEISBETWEEN(const Line& l, const Point& a, const Point& b) {
    if (IsUndefined(a) || IsUndefined(b) || LacksDirection(l)) return UNDEFINED_CODE;
    std::int32_t onLine = 0;
    if (VEK_LINEDISTANCE(a, l) < OnLineTolerance) onLine = 1;
    if (VEK_LINEDISTANCE(b, l) < OnLineTolerance) onLine += 2;
    if (onLine != 0) return onLine;
    // A line parallel to AB meets it in the far point, which is never between A and B.
    return VEK_ISBETWEEN(a, VEK_LINECROSS(l, LineThrough(a, b)), b);
}

}  // namespace vekora
