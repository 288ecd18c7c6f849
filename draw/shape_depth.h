// How deep a point lies inside a filled shape: the signed distance in pixels to its outline,
// positive inside. Fills use it to find seeds and to tell a flood that escaped its outline.
#pragma once

#include <array>

namespace vekora {

struct Vertex {
    double x = 0.0;
    double y = 0.0;
};

// A convex polygon given by its corners in order (either turn). A polygon without area has
// no inside: every point gets a depth of at most 0.
double ConvexDepth(const Vertex* corners, int count, double x, double y);

template <std::size_t N>
double ConvexDepth(const std::array<Vertex, N>& corners, double x, double y) {
    return ConvexDepth(corners.data(), static_cast<int>(N), x, y);
}

// A disc, or the sector of it from angle `start` counter-clockwise to `end` (radians, the
// screen's convention: angle a points along (cos a, -sin a)), both in [0, 2pi).
double DiscDepth(double cx, double cy, double r, double x, double y);
double SectorDepth(double cx, double cy, double r, double start, double end, double x, double y);

}  // namespace vekora
