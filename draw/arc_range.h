// Which pixels of a ring belong to an arc: the raster layer asks for every pixel of a ring, so
// the answer is found without an angle wherever that cannot change it.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vekora {

// The arc from `start` counter-clockwise through `sweep` (radians, as seen on the screen). A
// pixel counts when its centre lies within half a pixel of arc length of the arc (`slack`), so
// that the arc's end pixels meet the radii of a pie sector.
struct ArcRange {
    static constexpr double FullTurn = 2 * std::numbers::pi;

    bool full = true;
    double start = 0;
    double sweep = FullTurn;
    double slack = 0;
    // For each open quadrant of the circle (0: right and up, then counter-clockwise), whether
    // all of it lies on the arc (1), none of it (0), or it must be asked pixel by pixel (-1):
    // most of a ring's pixels are then placed without computing their angle.
    std::array<std::int8_t, 4> quadrants{-1, -1, -1, -1};
    // The unit directions (x right, y up) where the arc with its slack begins and ends, and
    // whether it covers more than a half turn: pixels of a quadrant asked pixel by pixel are
    // placed by which side of these directions they lie on, unless they lie near one.
    double beginX = 1, beginY = 0, endX = 1, endY = 0;
    bool wide = false;

    // A quadrant, or a pixel, is settled without its angle only when it clears the arc's ends
    // by this much (radians), far more than the rounding of an angle: it then gets the answer
    // its angle would give.
    static constexpr double EndMargin = 1e-6;

    // Whether the pixel at (dx, dy) from the centre (y down) belongs to the arc. Asked for
    // every pixel of a ring: kept inline.
    bool Contains(double dx, double dy) const;
    // The same answer from the pixel's angle alone.
    bool ContainsByAngle(double dx, double dy) const;
};

// The arc from angle `start` to `end` (a sweep of nearly a full turn or more is the whole ring)
// on a ring of the given radius.
ArcRange MakeArc(double start, double end, double radius);

// The cross product of an end direction with the pixel's offset (x right, y up) is the offset's
// length times the sine of the angle between them, found with an error below 10^-15 times
// |dx| + |dy| (the end's cosine and sine included). Where both exceed EndMargin times
// |dx| + |dy|, the pixel lies more than EndMargin from either end (and from their opposites),
// so its side of each is sure, and so is the answer of its angle, whose rounding is below
// 10^-14. An arc up to a half turn is the meet of the half-plane after its beginning and the
// one before its end; a wider one is their union.
inline bool ArcRange::Contains(double dx, double dy) const {
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

}  // namespace vekora
