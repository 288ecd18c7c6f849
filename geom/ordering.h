// Canonical order of two results, so that a statement naming the first and the second of
// them always gets the same one. Each routine exchanges its first two arguments (whole
// records) when its rule asks it and returns -2 when both are undefined, -1 when exactly
// one is (the defined one is then first), 0 when both are defined.
#pragma once

#include "geom/records.h"

namespace vekora {

// First the point met first along L's direction, compared per component: B - A must share
// the sign of at least one of L's components (a zero product counts as disagreeing).
std::int32_t VEK_SETFIRST(Point& a, Point& b, const Line& l);
// First the point met first turning counterclockwise from L's direction about L's base.
std::int32_t VEK_SETFIRSTANGLE(Point& a, Point& b, const Line& l);
// First the line from which the counterclockwise turn to the other is at most a half turn.
std::int32_t VEK_SETSMALLERANGLE(Line& l1, Line& l2);

}  // namespace vekora
