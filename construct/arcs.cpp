// The arc through a point and the arc between two lines.
#include "construct/arcs.h"

#include "construct/circles.h"
#include "geom/kernel.h"

namespace vekora {

Circle VEKS_MAKEARC(ConstructionCall& call, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening) {
    call.event = 0;
    if (IsUndefined(centre) || IsUndefined(p)) return UndefinedCircle();
    Circle arc = VEK_MAKEARC(centre, p, ScriptAngle(opening));
    ApplyRing(arc, words, call.settings);
    ShowCircle(call, arc);
    return arc;
}

Circle VEKS_MAKEARCLINES(ConstructionCall& call, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words) {
    call.event = 0;
    if (IsUndefined(line1) || IsUndefined(line2)) return UndefinedCircle();
    const Point vertex = VEK_LINECROSS(line1, line2);
    if (IsUndefined(vertex)) return UndefinedCircle();
    Circle arc{vertex.x, vertex.y, ScriptLength(radius), VEK_ABSANGLE(line1), VEK_ABSANGLE(line2), 0, 0};
    ApplyRing(arc, words, call.settings);
    ShowCircle(call, arc);
    return arc;
}

}  // namespace vekora
