// The straightedges: the set square and the graduated ruler.
#include <algorithm>
#include <cmath>

#include "anim/instrument_strokes.h"
#include "anim/instruments.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// Distances of the set square's outlines from the two lines: the outer triangle from
// Near to Size + Near, the hole from 0.16 of the size to 0.67 of it (plus Near).
constexpr double Near = 2.0;
constexpr double HoleNear = 0.16;
constexpr double HoleFar = 0.67;

// The triangle with its right angle at o + near*(u1 + u2) and its legs reaching `far` along
// u1 and u2.
void SquareTriangle(ImageHandle target, Vec o, Vec u1, Vec u2, double near, double far, const Line& look) {
    const Vec corner = o + near * u1 + near * u2;
    const Vec alongSecond = o + near * u1 + far * u2;
    const Vec alongFirst = o + far * u1 + near * u2;
    Stroke(target, corner, alongSecond, look);
    Stroke(target, corner, alongFirst, look);
    Stroke(target, alongSecond, alongFirst, look);
}

// Where a + s*u lies inside the box [lo, hi] on one axis: narrows [s0, s1]. False when the
// span is empty.
bool NarrowToSlab(double a, double u, double lo, double hi, double& s0, double& s1) {
    if (u == 0.0) return a >= lo && a <= hi;
    double enter = (lo - a) / u;
    double leave = (hi - a) / u;
    if (enter > leave) std::swap(enter, leave);
    s0 = std::max(s0, enter);
    s1 = std::min(s1, leave);
    return s0 <= s1;
}

// Ticks that could not touch the target are skipped, so that a ruler reaching to the far
// point costs only what it shows.
void RulerTicks(ImageHandle target, Vec a, Vec u, Vec w, double length, std::int32_t spacing, const Line& look) {
    const SurfaceSize size = SurfaceInfo(target);
    const double margin = Length(w) * 0.5 + 2.0;
    const double lastTick = std::floor(length / spacing + 0.5);
    double s0 = 0.0;
    double s1 = lastTick * spacing;
    if (!NarrowToSlab(a.x, u.x, -margin, size.width + margin, s0, s1) ||
        !NarrowToSlab(a.y, u.y, -margin, size.height + margin, s0, s1))
        return;
    // Beyond 2^52 a tick's index, and so its place, is no longer exact.
    constexpr double ExactIndex = 4503599627370496.0;
    const double first = std::ceil(s0 / spacing);
    const double last = std::floor(s1 / spacing);
    if (!(first >= 0.0) || !(last <= ExactIndex)) return;
    for (auto k = static_cast<std::int64_t>(first); k <= static_cast<std::int64_t>(last); ++k) {
        const double f = k % 10 == 0 ? 0.5 : k % 10 == 5 ? 0.35 : 0.2;
        const Vec t = a + (static_cast<double>(k) * spacing) * u;
        Stroke(target, t, t + f * w, look);
    }
}

}  // namespace

std::int32_t DrawSquareTool(ImageHandle target, const Line& line1, const Line& line2, std::int32_t flags,
                            double size, std::uint32_t colour) {
    if (LacksDirection(line1) || LacksDirection(line2)) return UNDEFINED_CODE;
    const Vec o = VecOf(VEK_LINECROSS(line1, line2));
    Vec u1 = Unit({line1.dx, line1.dy});
    Vec u2 = Unit({line2.dx, line2.dy});
    if (flags & ReverseFirstLeg) u1 = -1.0 * u1;
    if (flags & ReverseSecondLeg) u2 = -1.0 * u2;
    const Line look = InstrumentLook(colour, 1);
    SquareTriangle(target, o, u1, u2, Near, size + Near, look);
    SquareTriangle(target, o, u1, u2, HoleNear * size + Near, HoleFar * size + Near, look);
    return 0;
}

std::int32_t DrawRulerTool(ImageHandle target, const Point& p1, const Point& p2, std::int32_t side, double width,
                           std::uint32_t colour, std::int32_t spacing) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    const Vec d = VecOf(p2) - VecOf(p1);
    const double length = Length(d);
    if (!(length > 0.0)) return -1;
    const Vec u = Unit(d);
    Vec w = width * Normal(u);      // across the ruler, to its far edge
    Vec off = Near * Normal(u);     // from the segment to the working edge
    if (side != 0) {
        w = -1.0 * w;
        off = -1.0 * off;
    }
    const Vec a = VecOf(p1) + off;
    const Vec e1 = a - width * u;
    const Vec e2 = VecOf(p2) + off + width * u;
    const Line look = InstrumentLook(colour, 1);
    Stroke(target, e1, e2, look);
    Stroke(target, e1, e1 + w, look);
    Stroke(target, e2 + w, e2, look);
    Stroke(target, e2 + w, e1 + w, look);
    if (spacing > 0) RulerTicks(target, a, u, w, length, spacing, look);
    return 0;
}

}  // namespace vekora
