// Short builders for kernel records in tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "geom/kernel.h"

namespace vekora::test {

inline constexpr LineLook Solid{-1, 1};

inline Point P(double x, double y, std::uint32_t colour = 0, std::int16_t size = 0,
               std::int16_t shape = 0) {
    return Point{x, y, colour, size, shape};
}
inline Line L(double x0, double y0, double dx, double dy, std::uint32_t colour = 0,
              std::int16_t style = -1, std::int16_t thickness = 1) {
    return Line{x0, y0, dx, dy, colour, style, thickness};
}
inline Circle C(double x, double y, double r, std::uint32_t colour = 0,
                std::int32_t thickness = 1) {
    return Circle{x, y, r, 0, 0, colour, thickness};
}

// Every coordinate of a defined point is finite; an undefined one has both at UNDEFINED
// or (an output record) at least x.
inline bool IsFiniteOrUndefined(const Point& p) {
    return IsUndefined(p) || (std::isfinite(p.x) && std::isfinite(p.y));
}

// Whole-record equality, field by field so that a failure names the field.
inline void ExpectSame(const Point& actual, const Point& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.colour, expected.colour);
    EXPECT_EQ(actual.size, expected.size);
    EXPECT_EQ(actual.shape, expected.shape);
}
inline void ExpectSame(const Line& actual, const Line& expected) {
    EXPECT_EQ(actual.x0, expected.x0);
    EXPECT_EQ(actual.y0, expected.y0);
    EXPECT_EQ(actual.dx, expected.dx);
    EXPECT_EQ(actual.dy, expected.dy);
    EXPECT_EQ(actual.colour, expected.colour);
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.thickness, expected.thickness);
}

}  // namespace vekora::test
