// Lines, points and distances on the kernel's records.
#include "geom/lines.h"

#include <cmath>

namespace vekora {
namespace {

double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// Strict: a value equal to either end is not between them.
bool StrictlyBetween(double end1, double value, double end2) {
    return end1 > end2 ? (end2 < value && value < end1) : (end1 < value && value < end2);
}

constexpr std::int32_t Truth(bool value) { return value ? -1 : 0; }

// The point `base` moved by distance along (dx, dy), which must have a length.
Point Advance(const Point& base, double dx, double dy, double distance) {
    const double k = distance / Length(dx, dy);
    return Point{base.x + dx * k, base.y + dy * k, base.colour, base.size, base.shape};
}

}  // namespace

bool LacksDirection(const Line& l) { return IsUndefined(l) || l.dx * l.dx + l.dy * l.dy == 0.0; }

Line LineThrough(const Point& a, const Point& b) {
    Line line{a.x, a.y, b.x - a.x, b.y - a.y, a.colour, 0, 0};
    if (line.dx == 0.0 && line.dy == 0.0) line.dx = 1e-6;  // coincident points: horizontal
    return line;
}

Line VEK_MAKELINE(const Point& a, const Point& b, LineLook look) {
    if (IsUndefined(a) || IsUndefined(b)) return UndefinedLine();
    Line line = LineThrough(a, b);
    line.style = look.style;
    line.thickness = look.thickness;
    return line;
}

Line VEK_MAKELINEPOLAR(const Point& p, double angle, LineLook look) {
    if (IsUndefined(p)) return UndefinedLine();
    return Line{p.x, p.y, 100 * std::cos(angle), -100 * std::sin(angle), p.colour, look.style,
                look.thickness};
}

Line VEK_MAKERIGHTANGLE(const Point& p, const Line& l) {
    if (IsUndefined(p) || IsUndefined(l)) return UndefinedLine();
    return Line{p.x, p.y, -l.dy, l.dx, l.colour, l.style, l.thickness};
}

double VEK_DISTANCE(const Point& a, const Point& b) {
    if (IsUndefined(a) || IsUndefined(b)) return 0.0;
    return Length(b.x - a.x, b.y - a.y);
}

double VEK_LINEDISTANCE(const Point& p, const Line& l) {
    if (IsUndefined(p) || LacksDirection(l)) return 0.0;
    return std::fabs((p.x - l.x0) * l.dy - (p.y - l.y0) * l.dx) / Length(l.dx, l.dy);
}

Point VEK_ADVANCEONLINE(const Point& p, const Line& l, double distance) {
    if (IsUndefined(p) || LacksDirection(l)) return UndefinedPoint();
    return Advance(p, l.dx, l.dy, distance);
}

Point Midpoint(const Point& a, const Point& b) {
    if (IsUndefined(a) || IsUndefined(b)) return UndefinedPoint();
    return Point{(a.x + b.x) / 2, (a.y + b.y) / 2, a.colour, a.size, a.shape};
}

Point VEK_ADVANCETOPOINT(const Point& a, const Point& b, double distance) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    // The squared length also catches differences too small to square (it underflows to 0).
    if (IsUndefined(a) || IsUndefined(b) || dx * dx + dy * dy == 0.0) return UndefinedPoint();
    return Advance(a, dx, dy, distance);
}

std::int32_t VEK_ISBETWEEN(const Point& x, const Point& y, const Point& z) {
    if (IsUndefined(x) || IsUndefined(y) || IsUndefined(z)) return UNDEFINED_CODE;
    const bool inY = StrictlyBetween(x.y, y.y, z.y);
    const bool inX = StrictlyBetween(x.x, y.x, z.x);
    const double spanX = std::fabs(x.x - z.x);
    const double spanY = std::fabs(x.y - z.y);
    if (spanX < 1 && spanY > 1) return Truth(inY);  // nearly vertical pair
    if (spanY < 1 && spanX > 1) return Truth(inX);  // nearly horizontal pair
    return Truth(inX && inY);
}

std::int32_t VEK_RECTOVER(const Point& aIn, const Point& bIn, double height, Point& outA,
                          Point& outB) {
    // Copies: a C caller may pass one point as input and the other point's output.
    const Point a = aIn;
    const Point b = bIn;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (IsUndefined(a) || IsUndefined(b) || dx * dx + dy * dy == 0.0) {
        SetUndefined(outA);
        SetUndefined(outB);
        return UNDEFINED_CODE;
    }
    const double k = height / Length(dx, dy);
    outA.x = a.x - dy * k;
    outA.y = a.y + dx * k;
    outB.x = b.x - dy * k;
    outB.y = b.y + dx * k;
    outA.colour = a.colour;
    outA.size = a.size;
    outB.colour = b.colour;
    outB.size = b.size;
    return 0;
}

LineEquation VEK_VECTORIALTOEQUAT(const Line& l) {
    if (IsUndefined(l)) return UndefinedEquation();
    LineEquation e{UNDEFINED, l.x0, l.colour, l.thickness, l.style};  // vertical: x = x0
    if (l.dx != 0.0) {
        e.m = l.dy / l.dx;
        e.b = l.y0 - e.m * l.x0;
    }
    return e;
}

Line VEK_EQUATTOVECTORIAL(const LineEquation& e) {
    if (IsUndefined(e)) return UndefinedLine();
    if (e.m == UNDEFINED) return Line{e.b, e.b, 0, 1, e.colour, e.style, e.thickness};
    return Line{0, e.b, 1, e.m, e.colour, e.style, e.thickness};
}

double VEK_LINEDISTANCEEQUAT(const Point& p, const LineEquation& e) {
    if (IsUndefined(p) || IsUndefined(e)) return 0.0;
    if (e.m == UNDEFINED) return std::fabs(p.x - e.b);
    // The foot of the perpendicular from P.
    const double footX = (p.x + e.m * (p.y - e.b)) / (e.m * e.m + 1);
    const double footY = e.m * footX + e.b;
    return Length(p.x - footX, p.y - footY);
}

}  // namespace vekora
