// Compass arcs and midpoints of the compound constructions.
#include "construct/compass_aids.h"

#include "geom/angles.h"

namespace vekora {

Circle CompassArc(const Point& centre, const Point& through, double opening, std::uint32_t aidColour) {
    Circle arc = VEK_MAKEARC(centre, through, opening);
    if (IsUndefined(arc)) return arc;
    arc.colour = aidColour;
    arc.thickness = 1;
    return arc;
}

}  // namespace vekora
