// Lines, points and distances: making lines, perpendiculars, distances, moving a point,
// betweenness, the far side of a rectangle, and the two forms of a line.
#pragma once

#include "geom/records.h"

namespace vekora {

// A line whose direction has no length (a start line of length 0) cannot be divided by its
// length; every routine that would do so treats it as undefined.
bool LacksDirection(const Line& l);

// The geometry of VEK_MAKELINE: base A, direction B - A (1e-6 to the right when A = B),
// A's colour, style and thickness 0. For callers that only need the direction.
Line LineThrough(const Point& a, const Point& b);

Line VEK_MAKELINE(const Point& a, const Point& b, LineLook look);
// Direction of length 100 at the angle, counterclockwise on screen.
Line VEK_MAKELINEPOLAR(const Point& p, double angle, LineLook look);
// Through P, L's direction turned a quarter turn clockwise on screen; L's length and look.
Line VEK_MAKERIGHTANGLE(const Point& p, const Line& l);

double VEK_DISTANCE(const Point& a, const Point& b);
double VEK_LINEDISTANCE(const Point& p, const Line& l);
Point VEK_ADVANCEONLINE(const Point& p, const Line& l, double distance);
Point VEK_ADVANCETOPOINT(const Point& a, const Point& b, double distance);
// The midpoint of A and B with A's colour, size and shape; undefined when either is (their
// sum would overflow to infinity instead).
Point Midpoint(const Point& a, const Point& b);

// -1 when Y lies strictly between X and Z, 0 when not; a nearly vertical or horizontal pair
// (within 1 pixel) is tested on one axis only.
std::int32_t VEK_ISBETWEEN(const Point& x, const Point& y, const Point& z);
// The side opposite AB of a rectangle of the given height; a positive height lies on the
// side reached by turning A->B a quarter turn clockwise on screen.
std::int32_t VEK_RECTOVER(const Point& a, const Point& b, double height, Point& outA,
                          Point& outB);

LineEquation VEK_VECTORIALTOEQUAT(const Line& l);
Line VEK_EQUATTOVECTORIAL(const LineEquation& e);
double VEK_LINEDISTANCEEQUAT(const Point& p, const LineEquation& e);

}  // namespace vekora
