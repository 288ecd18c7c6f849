// The geometric records, the undefined value and the kernel's constants. The records are
// the packed structs of the public C header, so the kernel and the C interface share them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vekora.h"

namespace vekora {

using Point = ::VekPoint;
using Line = ::VekLine;
using Circle = ::VekCircle;
using LineEquation = ::VekLineEquation;

// The first coordinate of an undefined figure; compared exactly, never changed.
inline constexpr double UNDEFINED = 1e308;
// The integer result of a test or builder given an undefined figure (0xFFFF0000).
inline constexpr std::int32_t UNDEFINED_CODE = -65536;

// Decimal literals, not the nearest doubles: the kernel's results depend on these digits
// (a half turn comes out just above Pi).
inline constexpr double TwoPi = 6.28318530717959;
inline constexpr double Pi = 3.14159265358979;
// Radians in 1/256 of a degree: script angles are stored in that unit.
inline constexpr double RadiansPerDegreeStep = 6.81769239060285e-05;

static_assert(UNDEFINED == VEK_UNDEFINED && UNDEFINED_CODE == VEK_UNDEFINED_CODE);

static_assert(sizeof(Point) == 24 && offsetof(Point, x) == 0 && offsetof(Point, y) == 8 &&
              offsetof(Point, colour) == 16 && offsetof(Point, size) == 20 &&
              offsetof(Point, shape) == 22);
static_assert(sizeof(Line) == 40 && offsetof(Line, x0) == 0 && offsetof(Line, y0) == 8 &&
              offsetof(Line, dx) == 16 && offsetof(Line, dy) == 24 &&
              offsetof(Line, colour) == 32 && offsetof(Line, style) == 36 &&
              offsetof(Line, thickness) == 38);
static_assert(sizeof(Circle) == 48 && offsetof(Circle, x) == 0 && offsetof(Circle, y) == 8 &&
              offsetof(Circle, r) == 16 && offsetof(Circle, start) == 24 &&
              offsetof(Circle, end) == 32 && offsetof(Circle, colour) == 40 &&
              offsetof(Circle, thickness) == 44);
static_assert(sizeof(LineEquation) == 24 && offsetof(LineEquation, m) == 0 &&
              offsetof(LineEquation, b) == 8 && offsetof(LineEquation, colour) == 16 &&
              offsetof(LineEquation, thickness) == 20 && offsetof(LineEquation, style) == 22);

// Only the first coordinate marks a figure undefined; no other field is ever tested.
constexpr bool IsUndefined(const Point& p) { return p.x == UNDEFINED; }
constexpr bool IsUndefined(const Line& l) { return l.x0 == UNDEFINED; }
constexpr bool IsUndefined(const Circle& c) { return c.x == UNDEFINED; }
constexpr bool IsUndefined(const LineEquation& e) { return e.b == UNDEFINED; }

// Fresh undefined records: the base coordinates UNDEFINED, every other field zero.
constexpr Point UndefinedPoint() { return Point{UNDEFINED, UNDEFINED, 0, 0, 0}; }
constexpr Line UndefinedLine() { return Line{UNDEFINED, UNDEFINED, 0, 0, 0, 0, 0}; }
constexpr Circle UndefinedCircle() { return Circle{UNDEFINED, UNDEFINED, 0, 0, 0, 0, 0}; }
constexpr LineEquation UndefinedEquation() {
    return LineEquation{UNDEFINED, UNDEFINED, 0, 0, 0};
}

// Marks an output record owned by the caller as undefined: only its two coordinates change.
constexpr void SetUndefined(Point& p) {
    p.x = UNDEFINED;
    p.y = UNDEFINED;
}

// The look a new line takes: dash mask and width.
struct LineLook {
    std::int16_t style;
    std::int16_t thickness;
};

// A point made on a circle takes the low 16 bits of the circle's ring width as its size.
constexpr std::int16_t SizeOnCircle(const Circle& c) {
    return static_cast<std::int16_t>(c.thickness);
}

}  // namespace vekora
