// Angles, rotation and arcs.
#include "geom/angles.h"

#include <cmath>

#include "geom/lines.h"

namespace vekora {
namespace {

// Beyond this many radians, stepping by whole turns would take long or not move at all.
constexpr double FarAngle = 1024.0;

// Brings an arc angle into [0, 2*pi] by whole turns (exactly 2*pi stays).
double NormaliseArcAngle(double angle) {
    if (!std::isfinite(angle)) return angle;
    if (std::fabs(angle) > FarAngle) angle = std::fmod(angle, TwoPi);
    while (angle < 0) angle += TwoPi;
    while (angle > TwoPi) angle -= TwoPi;
    return angle;
}

}  // namespace

double VEK_ABSANGLE(const Line& l) {
    if (IsUndefined(l)) return UNDEFINED;
    // 0 - atan2 rather than -atan2: a direction of (0, 0) gives +0, not -0.
    double angle = 0.0 - std::atan2(l.dy, l.dx);
    if (angle < 0) angle += TwoPi;
    return angle;
}

double VEK_ANGLE(const Line& l1, const Line& l2) {
    if (IsUndefined(l1) || IsUndefined(l2)) return UNDEFINED;
    double turn = VEK_ABSANGLE(l2) - VEK_ABSANGLE(l1);
    if (turn < 0) turn += TwoPi;
    if (turn > TwoPi) turn -= TwoPi;
    return turn;
}

Line VEK_MAKEANGLE(const Point& p, const Line& l, double angle, LineLook look) {
    if (IsUndefined(p) || IsUndefined(l)) return UndefinedLine();
    return VEK_MAKELINEPOLAR(p, VEK_ABSANGLE(l) + angle, look);
}

Point VEK_ROTATEPOINT(const Point& p, const Point& centre, double angle) {
    if (IsUndefined(p) || IsUndefined(centre)) return UndefinedPoint();
    const double ux = p.x - centre.x;
    const double uy = p.y - centre.y;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Point{centre.x + c * ux + s * uy, centre.y - s * ux + c * uy, p.colour, p.size,
                 p.shape};
}

Circle VEK_MAKEARC(const Point& centre, const Point& p, double opening) {
    if (IsUndefined(p) || IsUndefined(centre)) return UndefinedCircle();
    // Not normalised: the two ends are, each on its own.
    const double towardsP = 0.0 - std::atan2(p.y - centre.y, p.x - centre.x);
    return Circle{centre.x,
                  centre.y,
                  VEK_DISTANCE(centre, p),
                  NormaliseArcAngle(towardsP - opening / 2),
                  NormaliseArcAngle(towardsP + opening / 2),
                  p.colour,
                  p.size};
}

std::int32_t ArcEndpoints(const Circle& arc, Point& outStart, Point& outEnd) {
    if (IsUndefined(arc)) {
        SetUndefined(outStart);
        SetUndefined(outEnd);
        return UNDEFINED_CODE;
    }
    const Point centre{arc.x, arc.y, arc.colour, SizeOnCircle(arc), 0};
    // The look of the radius lines does not reach the points.
    const LineLook anyLook{0, 0};
    outStart = VEK_ADVANCEONLINE(centre, VEK_MAKELINEPOLAR(centre, arc.start, anyLook), arc.r);
    outEnd = VEK_ADVANCEONLINE(centre, VEK_MAKELINEPOLAR(centre, arc.end, anyLook), arc.r);
    return 0;
}

}  // namespace vekora
