// Which pixels of a ring belong to an arc: settled by quadrant, by side of the arc's end
// directions, and only near those directions by the pixel's angle.
#include "draw/arc_range.h"

#include <cmath>

namespace vekora {
namespace {

constexpr double FullTurn = ArcRange::FullTurn;
constexpr double EndMargin = ArcRange::EndMargin;
// A sweep this close to a full turn is a full circle (2 pi passed in single precision).
constexpr double FullTurnTolerance = 1e-6;

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
