// The midline (perpendicular bisector) of a segment and the bisector of the angle between two
// lines, each shown as the ruler-and-compass construction: short compass arcs crossing at the
// points that fix the result, then the result. The protocol is that of construct/lines.h.
#pragma once

#include <array>
#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The midline of A-B: through the midpoint, AB's direction turned a quarter turn clockwise on
// the screen, of AB's length. Its default colour is the construction colour (the default
// colour when that is -1 too), and it carries a right-angle mark against AB.
Line VEKS_MAKEMIDLINE(Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words);

// The bisector of the counterclockwise angle from line1 to line2, from their crossing. Lines of
// the same direction give line1 itself; opposite directions give the perpendicular to line1
// through its base point.
Line VEKS_MAKEBISECTOR(Stage& stage, CallMode mode, const Line& line1, const Line& line2, const StyleWords& words);

// What the showings of a midline share.
struct MidlinePlan {
    Line ab;                    // A to B, in A's colour (the colour of the right-angle mark)
    Line midline;
    Point p1, p2;               // on the midline, |AB| / 2 either side of the midpoint
    std::array<Circle, 4> arcs; // about A through P1 and P2, about B through P1 and P2
    StyleWords words;           // as given: the film's ruler resolves them itself
    std::uint32_t aidColour;
};

// What the showings of a bisector share.
struct BisectorPlan {
    Point vertex;
    Point q;                    // the point of the bisector where the last two arcs cross
    Line bisector;
    bool hasArcs;               // false when the lines have no vertex to construct from
    std::array<Circle, 4> arcs; // about the vertex across each line, about those points through Q
    StyleWords words;
    std::uint32_t aidColour;
};

// PACE: the four arcs; then the result (the midline with its mark).
void PaceMidline(Stage& stage, const MidlinePlan& plan);
void PaceBisector(Stage& stage, const BisectorPlan& plan);

}  // namespace vekora
