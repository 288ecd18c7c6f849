// The fill of a triangle larger than its target. The scratch image is the target itself;
// the outline and the seed come from the vertices inside the target or, failing those, from
// where the edges cross the target's border.
#include "draw/triangle_clip.h"

#include <array>
#include <cmath>
#include <vector>

#include "draw/scratch_fill.h"
#include "draw/shape_depth.h"
#include "draw/strokes.h"
#include "geom/intersections.h"
#include "geom/lines.h"

namespace vekora {

namespace {

// From a vertex towards the middle of the opposite edge, this far in pixels, lies the seed.
constexpr double SeedReach = 40.0;

struct Chord {
    bool counts = false;
    Vertex from;
    Vertex to;
};

double Round(double v) { return std::nearbyint(v); }

bool Inside(const SurfaceSize& size, const Point& p) {
    return 0.0 < p.x && p.x < size.width && 0.0 < p.y && p.y < size.height;
}

// Where the edge p-q crosses the target's border: the left, right, top and bottom borders in
// this order, a crossing counting when the other coordinate, rounded, lies in 0 ... size.
// Corners included: an edge that cuts a corner still crosses the target, and leaving it out
// could take a triangle that covers part of the target for one that misses it. Only crossings
// on the edge itself count: the line beyond the triangle's corners bounds nothing.
Chord EdgeChord(const SurfaceSize& size, const Point& p, const Point& q) {
    Chord chord;
    int found = 0;
    auto accept = [&](double x, double y) {
        if (found == 0) chord.from = {x, y};
        if (found == 1) chord.to = {x, y};
        ++found;
    };
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    for (const double border : {0.0, static_cast<double>(size.width)}) {
        const double t = (border - p.x) / dx;
        const double y = p.y + dy * t;
        if (dx != 0.0 && t >= 0.0 && t <= 1.0 && Round(y) >= 0.0 && Round(y) <= size.height) accept(border, y);
    }
    for (const double border : {0.0, static_cast<double>(size.height)}) {
        const double t = (border - p.y) / dy;
        const double x = p.x + dx * t;
        if (dy != 0.0 && t >= 0.0 && t <= 1.0 && Round(x) >= 0.0 && Round(x) <= size.width) accept(x, border);
    }
    chord.counts = found >= 2;
    return chord;
}

Point At(const Point& colourOf, double x, double y) {
    Point p = colourOf;
    p.x = x;
    p.y = y;
    return p;
}

// One chord only: two candidates 2 pixels either side of its middle; the first on the same
// side of the edge as the opposite vertex wins, else the second.
Point SeedBesideChord(const Chord& chord, const Point& p, const Point& q, const Point& opposite) {
    const double mx = std::trunc((Round(chord.from.x) + Round(chord.to.x)) / 2.0);
    const double my = std::trunc((Round(chord.from.y) + Round(chord.to.y)) / 2.0);
    const double dx = chord.to.x - chord.from.x;
    const double dy = chord.to.y - chord.from.y;
    const double len = std::hypot(dx, dy);
    const Point first = At(p, mx - 2.0 * dy / len, my + 2.0 * dx / len);
    const Point second = At(p, mx + 2.0 * dy / len, my - 2.0 * dx / len);
    const Line edge = LineThrough(p, q);
    return VEK_LINEISBETWEEN(edge, first, opposite) == 0 ? first : second;
}

// With no edge crossing the target, the target lies wholly inside the triangle or wholly
// outside it; inside when no edge line separates the target's centre from the opposite
// vertex or passes within half a pixel of either.
bool TargetInside(const SurfaceSize& size, const std::array<Point, 3>& v) {
    const Point centre = At(v[0], size.width / 2, size.height / 2);
    for (int i = 0; i < 3; ++i) {
        const Line edge = LineThrough(v[i], v[(i + 1) % 3]);
        if (VEK_LINEISBETWEEN(edge, centre, v[(i + 2) % 3]) != 0) return false;
    }
    return true;
}

void Segment(ImageHandle image, const Vertex& a, const Vertex& b, std::uint32_t colour) {
    StrokeSegment(image, a.x, a.y, b.x, b.y, colour, SolidMask);
}

// Where to seed the flood when no vertex lies inside the target, decided by how many edges
// cross the target's border; or the target lies wholly inside the triangle, or wholly outside.
struct Plan {
    bool draws = true;
    bool whole = false;  // wholly inside: fill all of it
    Point seed;
};

Plan PlanFromBorder(const SurfaceSize& size, const std::array<Point, 3>& v) {
    Plan plan;
    std::array<Chord, 3> chords;
    std::vector<int> counting;
    for (int i = 0; i < 3; ++i) {
        chords[i] = EdgeChord(size, v[i], v[(i + 1) % 3]);
        if (chords[i].counts) counting.push_back(i);
    }
    if (counting.size() == 3) {
        plan.seed = At(v[0], (v[0].x + v[1].x + v[2].x) * 0.3333, (v[0].y + v[1].y + v[2].y) * 0.3333);
    } else if (counting.size() == 2) {
        // Edge i runs from v[i] to v[i + 1]; two edges share the vertex the third edge avoids.
        const int third = 3 - counting[0] - counting[1];
        const Point& common = v[(third + 2) % 3];
        plan.seed = VEK_ADVANCETOPOINT(common, Midpoint(v[third], v[(third + 1) % 3]), SeedReach);
    } else if (counting.size() == 1) {
        const int e = counting[0];
        plan.seed = SeedBesideChord(chords[e], v[e], v[(e + 1) % 3], v[(e + 2) % 3]);
    } else {
        plan.whole = TargetInside(size, v);
        plan.draws = plan.whole;
    }
    return plan;
}

}  // namespace

void FillClippedTriangle(ImageHandle target, const Point& a, const Point& b, const Point& c, std::uint32_t colour,
                         std::int32_t alpha) {
    const SurfaceSize size = SurfaceInfo(target);
    const std::array<Point, 3> v{a, b, c};
    const std::array<Vertex, 3> corners{Vertex{a.x, a.y}, Vertex{b.x, b.y}, Vertex{c.x, c.y}};
    Plan plan;
    int apex = 0;
    while (apex < 3 && !Inside(size, v[apex])) ++apex;
    if (apex < 3) {
        plan.seed = VEK_ADVANCETOPOINT(v[apex], Midpoint(v[(apex + 1) % 3], v[(apex + 2) % 3]), SeedReach);
    } else {
        plan = PlanFromBorder(size, v);
        if (!plan.draws) return;
    }
    ScratchFill fill;
    fill.box = {0.0, 0.0, size.width, size.height};
    fill.colour = colour;
    fill.alpha = alpha;
    fill.seedX = plan.seed.x;
    fill.seedY = plan.seed.y;
    MeasureByOutline(fill, ConvexOutline(corners));
    // A seed outside the triangle or the target would flood the wrong region or nothing
    // (a thin triangle, a vertex near the border): then the interior is found by scanning.
    const bool seedOnTarget = fill.seedX >= 0.0 && fill.seedX <= size.width - 1.0 && fill.seedY >= 0.0 &&
                              fill.seedY <= size.height - 1.0;
    fill.rule = seedOnTarget && fill.depth(fill.seedX, fill.seedY) >= 1.0 ? FloodRule::TrustedSeed
                                                                            : FloodRule::ScanInside;
    if (plan.whole) fill.rule = FloodRule::OutlineOnly;
    BlendThroughScratch(target, fill, [&](ImageHandle scratch) {
        if (plan.whole) {
            RasterLine(scratch, 0.0f, 0.0f, static_cast<float>(size.width - 1), static_cast<float>(size.height - 1),
                       colour, LineKind::FilledBox, SolidMask);
        }
        // The whole edges, clipped as they are drawn: the same pixels as the chords inside the
        // target, and no gap where an edge cuts a corner too closely for its chord to count.
        for (int i = 0; i < 3; ++i) Segment(scratch, corners[i], corners[(i + 1) % 3], colour);
    });
}

}  // namespace vekora
