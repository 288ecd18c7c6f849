// Which pixels of a ring belong to an arc: settled by quadrant, by side of the arc's end
// directions, and only near those directions by the pixel's angle.
#include "draw/arc_range.h"

#include <cmath>

namespace vekora {
namespace {

constexpr double FullTurn = ArcRange::FullTurn;
// A sweep this close to a full turn is a full circle (2 pi passed in single precision).
constexpr double FullTurnTolerance = 1e-6;
// A quadrant, or a pixel, is settled without its angle only when it clears the arc's ends by
// this much (radians), far more than the rounding of an angle: it then gets the answer its
// angle would give.
constexpr double EndMargin = 1e-6;

double NormalAngle(double angle) {
    const double reduced = std::fmod(angle, FullTurn);
    return reduced < 0 ? reduced + FullTurn : reduced;
}

// Which quadrants an arc covers whole or misses whole. Counted from half a pixel of slack
// before its start, the arc covers the angles 0 to sweep + 2 slack.
void SettleQuadrants(ArcRange& arc) {
    const double covered = arc.sweep + 2 * arc.slack;
    for (std::size_t q = 0; q < 4; ++q) {
        const double from = NormalAngle(static_cast<double>(q) * FullTurn / 4 - arc.start + arc.slack);
        const double to = from + FullTurn / 4;
        if (covered >= FullTurn) arc.quadrants[q] = 1;
        else if (from >= EndMargin && to <= covered - EndMargin) arc.quadrants[q] = 1;
        else if (from >= covered + EndMargin && to <= FullTurn - EndMargin) arc.quadrants[q] = 0;
    }
}

// The end directions with the slack: the angle's answer changes only across them.
void SettleEnds(ArcRange& arc) {
    const double begin = arc.start - arc.slack;
    const double end = arc.start + (arc.sweep + arc.slack);
    arc.beginX = std::cos(begin);
    arc.beginY = std::sin(begin);
    arc.endX = std::cos(end);
    arc.endY = std::sin(end);
    arc.wide = arc.sweep + 2 * arc.slack > FullTurn / 2;
}

}  // namespace

// The cross product of an end direction with the pixel's offset (x right, y up) is the offset's
// length times the sine of the angle between them, found with an error below 10^-15 times
// |dx| + |dy| (the end's cosine and sine included). Where both exceed EndMargin times
// |dx| + |dy|, the pixel lies more than EndMargin from either end (and from their opposites),
// so its side of each is sure, and so is the answer of its angle, whose rounding is below
// 10^-14. An arc up to a half turn is the meet of the half-plane after its beginning and the
// one before its end; a wider one is their union.
bool ArcRange::Contains(double dx, double dy) const {
    if (full) return true;
    if (dx != 0 && dy != 0) {
        const int quadrant = dy < 0 ? (dx > 0 ? 0 : 1) : (dx < 0 ? 2 : 3);
        if (quadrants[static_cast<std::size_t>(quadrant)] >= 0) return quadrants[static_cast<std::size_t>(quadrant)] != 0;
        const double up = -dy;
        const double afterBegin = beginX * up - beginY * dx;
        const double beforeEnd = endY * dx - endX * up;
        const double margin = EndMargin * (std::fabs(dx) + std::fabs(dy));
        if (std::fabs(afterBegin) > margin && std::fabs(beforeEnd) > margin) {
            return wide ? (afterBegin > 0 || beforeEnd > 0) : (afterBegin > 0 && beforeEnd > 0);
        }
    }
    return ContainsByAngle(dx, dy);
}

bool ArcRange::ContainsByAngle(double dx, double dy) const {
    if (full) return true;
    const double along = NormalAngle(std::atan2(-dy, dx) - start);
    return along <= sweep + slack || along >= FullTurn - slack;
}

ArcRange MakeArc(double start, double end, double radius) {
    ArcRange arc;
    if (end - start >= FullTurn - FullTurnTolerance) return arc;
    arc.full = false;
    arc.start = NormalAngle(start);
    arc.sweep = NormalAngle(end) - arc.start;
    if (arc.sweep < 0) arc.sweep += FullTurn;
    arc.slack = radius > 0.5 ? 0.5 / radius : FullTurn;
    SettleQuadrants(arc);
    SettleEnds(arc);
    return arc;
}

}  // namespace vekora
