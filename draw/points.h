// The marker of a Point: cross, disc, circle, square, arrow heads or a single pixel.
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// The marker shapes of Point::shape; every other value draws the single pixel.
enum class PointShape : std::int16_t {
    Cross = 0,
    Disc = 2,
    Ring = 3,
    FilledSquare = 4,
    Square = 5,
    ArrowLeft = 8,
    ArrowRight = 9,
    ArrowUp = 10,
    ArrowDown = 11,
};

// Draws the point's marker in its colour, half-width size / 2. Returns UNDEFINED_CODE for an
// undefined point and -1 (nothing drawn) for a point off the target: x < 0, y < 0, x > width
// or y > height (a point on the right or bottom edge is still drawn).
std::int32_t DrawPoint(ImageHandle target, const Point& point);

}  // namespace vekora
