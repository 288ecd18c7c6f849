// The three ordering routines.
#include "geom/ordering.h"

#include <utility>

#include "geom/angles.h"
#include "geom/lines.h"

namespace vekora {
namespace {

// The rules for undefined records shared by the three routines. Returns the code to give
// back, or 0 when both are defined and the routine's own rule decides.
template <typename Record>
std::int32_t OrderUndefined(Record& first, Record& second) {
    if (IsUndefined(first)) {
        if (IsUndefined(second)) return -2;
        std::swap(first, second);
        return -1;
    }
    return IsUndefined(second) ? -1 : 0;
}

}  // namespace

std::int32_t VEK_SETFIRST(Point& a, Point& b, const Line& l) {
    if (const std::int32_t code = OrderUndefined(a, b); code != 0) return code;
    const Line ab = LineThrough(a, b);
    if (ab.dx * l.dx <= 0 && ab.dy * l.dy <= 0) std::swap(a, b);
    return 0;
}

std::int32_t VEK_SETFIRSTANGLE(Point& a, Point& b, const Line& l) {
    if (const std::int32_t code = OrderUndefined(a, b); code != 0) return code;
    const Point base{l.x0, l.y0, 0, 0, 0};
    const double reference = VEK_ABSANGLE(l);
    double angleA = VEK_ABSANGLE(LineThrough(base, a));
    double angleB = VEK_ABSANGLE(LineThrough(base, b));
    if (angleA < reference) angleA += TwoPi;
    if (angleB < reference) angleB += TwoPi;
    if (angleA > angleB) std::swap(a, b);  // equal angles keep the order
    return 0;
}

std::int32_t VEK_SETSMALLERANGLE(Line& l1, Line& l2) {
    if (const std::int32_t code = OrderUndefined(l1, l2); code != 0) return code;
    if (VEK_ANGLE(l1, l2) > Pi) std::swap(l1, l2);
    return 0;
}

}  // namespace vekora
