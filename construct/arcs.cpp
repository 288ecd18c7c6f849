// The arc through a point and the arc between two lines.
#include "construct/arcs.h"

#include "construct/circles.h"
#include "geom/kernel.h"

namespace vekora {

Circle VEKS_MAKEARC(Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening) {
    stage.input = 0;
    if (IsUndefined(centre) || IsUndefined(p)) return UndefinedCircle();
    Circle arc = VEK_MAKEARC(centre, p, ScriptAngle(opening));
    ApplyRing(arc, words, stage.settings());
    ShowCircle(stage, mode, arc);
    return arc;
}

Circle VEKS_MAKEARCLINES(Stage& stage, CallMode mode, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words) {
    stage.input = 0;
    if (IsUndefined(line1) || IsUndefined(line2)) return UndefinedCircle();
    const Point vertex = VEK_LINECROSS(line1, line2);
    if (IsUndefined(vertex)) return UndefinedCircle();
    Circle arc{vertex.x, vertex.y, ScriptLength(radius), VEK_ABSANGLE(line1), VEK_ABSANGLE(line2), 0, 0};
    ApplyRing(arc, words, stage.settings());
    ShowCircle(stage, mode, arc);
    return arc;
}

}  // namespace vekora
