// What the instruments are drawn with: plain vectors, points placed along them, and solid
// strokes that skip coordinates no raster can carry. Defined in anim/instruments.cpp.
#pragma once

#include <cmath>
#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

struct Vec {
    double x = 0.0;
    double y = 0.0;
};

inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(double k, Vec v) { return {k * v.x, k * v.y}; }

inline Vec VecOf(const Point& p) { return {p.x, p.y}; }
// The quarter turn (-y, x): clockwise as seen on the screen, where y grows downward.
inline Vec Normal(Vec u) { return {-u.y, u.x}; }
inline double Length(Vec v) { return std::hypot(v.x, v.y); }
// The unit vector of v; v must have a length.
inline Vec Unit(Vec v) { return (1.0 / Length(v)) * v; }

// The point at v with the colour, size and shape of `like`.
inline Point PointAt(Vec v, const Point& like) { return Point{v.x, v.y, like.colour, like.size, like.shape}; }
inline Point PointAt(Vec v) { return Point{v.x, v.y, 0, 0, 0}; }

// A Line record that carries only a look: colour, solid style and a width.
Line InstrumentLook(std::uint32_t colour, std::int16_t width);

// round(v) halves to even, as a 16-bit stroke width; widths beyond 16 bits are cut to its
// largest value, and one that is not a number draws nothing.
std::int16_t StrokeWidth(double v);

// The segment a-b in the look's colour and width; nothing when a coordinate is not finite.
void Stroke(ImageHandle target, Vec a, Vec b, const Line& look);

}  // namespace vekora
