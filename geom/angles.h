// Direction angles, angles between lines, rotation, arcs through a point and arc ends.
// Radians, counterclockwise as seen on the screen (y grows downward).
#pragma once

#include "geom/records.h"

namespace vekora {

// Direction angle of L in [0, 2*pi); UNDEFINED for an undefined line. A direction of
// (0, 0) has angle 0.
double VEK_ABSANGLE(const Line& l);
// Counterclockwise turn from L1's direction to L2's, in [0, 2*pi).
double VEK_ANGLE(const Line& l1, const Line& l2);
// Line through P at the angle to L: length 100, P's colour, the given look.
Line VEK_MAKEANGLE(const Point& p, const Line& l, double angle, LineLook look);
// P turned about the centre, counterclockwise on screen for a positive angle.
Point VEK_ROTATEPOINT(const Point& p, const Point& centre, double angle);
// Arc about the centre through P, symmetric about P, of the given opening.
Circle VEK_MAKEARC(const Point& centre, const Point& p, double opening);

// The points where an arc begins and ends (for a full circle both are centre + (r, 0)),
// with the centre's colour, the low half of the ring width as size, and shape 0. Returns
// 0, or UNDEFINED_CODE for an undefined arc (then only the outputs' coordinates change).
std::int32_t ArcEndpoints(const Circle& arc, Point& outStart, Point& outEnd);

}  // namespace vekora
