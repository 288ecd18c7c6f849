// Intersections: line with line, line with circle, circle with circle, the quadratic solver
// behind the last, and whether a line crosses a segment.
#pragma once

#include "geom/records.h"

namespace vekora {

// Parallel lines (and lines without direction) still meet: in the far point 1e280 along
// L1's direction, coloured 0x00FF00FF, an ordinary defined point far outside every page.
Point VEK_LINECROSS(const Line& l1, const Line& l2);
// Number of common points, 0 to 2; out1 is the point met first along L's direction.
std::int32_t VEK_LINECIRCLECROSS(const Line& l, const Circle& c, Point& out1, Point& out2);
// Number of common points, 0 to 2; out1 is on the right of the line from C1's centre to
// C2's centre as seen on the screen.
std::int32_t VEK_CIRCLECROSS(const Circle& c1, const Circle& c2, Point& out1, Point& out2);
// Real roots of a*x*x + b*x + c = 0, the larger first for a > 0; outputs beyond the count
// are not touched.
std::int32_t VEK_SOLVEEQUATION2(double a, double b, double c, double& out1, double& out2);
// -1 when L crosses the segment AB, 0 when not; 1, 2 or 3 when A, B or both lie on L.
std::int32_t VEK_LINEISBETWEEN(const Line& l, const Point& a, const Point& b);

}  // namespace vekora
