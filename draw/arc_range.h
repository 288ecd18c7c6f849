// Which pixels of a ring belong to an arc: the raster layer asks for every pixel of a ring, so
// the answer is found without an angle wherever that cannot change it.
#pragma once

#include <array>
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

    // Whether the pixel at (dx, dy) from the centre (y down) belongs to the arc.
    bool Contains(double dx, double dy) const;
    // The same answer from the pixel's angle alone.
    bool ContainsByAngle(double dx, double dy) const;
};

// The arc from angle `start` to `end` (a sweep of nearly a full turn or more is the whole ring)
// on a ring of the given radius.
ArcRange MakeArc(double start, double end, double radius);

}  // namespace vekora
