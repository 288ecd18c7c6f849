// The midline (perpendicular bisector) of a segment and the bisector of the angle between two
// lines, each shown as the ruler-and-compass construction: short compass arcs crossing at the
// points that fix the result, then the result. The protocol is that of construct/lines.h.
#pragma once

#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The midline of A-B: through the midpoint, AB's direction turned a quarter turn clockwise on
// the screen, of AB's length. Its default colour is the construction colour (the default
// colour when that is -1 too), and it carries a right-angle mark against AB.
Shown<Line> VEKS_MAKEMIDLINE(const Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words);

// The bisector of the counterclockwise angle from line1 to line2, from their crossing. Lines of
// the same direction give line1 itself; opposite directions give the perpendicular to line1
// through its base point.
Shown<Line> VEKS_MAKEBISECTOR(const Stage& stage, CallMode mode, const Line& line1, const Line& line2, const StyleWords& words);

}  // namespace vekora
