// The five drawing instruments: set square, ruler, compasses, protractor and pencil, each a
// one-colour line drawing placed by geometric records. The films redraw them every frame on
// a restored page; they keep no state.
//
// Each returns 0 when drawn, UNDEFINED_CODE (nothing drawn) when a figure it needs is
// undefined, and -1 (nothing drawn) where stated.
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// Bits of the set square's flags: which ray of each line the square's legs lie along.
enum SquareFlag : std::int32_t {
    ReverseFirstLeg = 1,
    ReverseSecondLeg = 2,
};

// VEKD_SQUARETOOL: a right isosceles triangle with a triangular hole, its right-angle corner
// 2 pixels off both lines in the quadrant the flags choose, legs `size` long. Lines without a
// direction count as undefined; parallel lines put the corner at the far point, out of sight.
std::int32_t DrawSquareTool(ImageHandle target, const Line& line1, const Line& line2, std::int32_t flags,
                            double size, std::uint32_t colour);

// VEKD_RULERTOOL: a ruler whose working edge runs 2 pixels beside p1-p2, `width` longer at
// each end; its body lies on the side of the normal (-uy, ux) of p1->p2, the other side when
// `side` is not 0. A spacing above 0 adds a tick every `spacing` pixels from p1 (half the
// width every tenth, 0.35 of it every fifth, else 0.2). Returns -1 when p1 = p2 (no
// direction to lay the ruler along).
std::int32_t DrawRulerTool(ImageHandle target, const Point& p1, const Point& p2, std::int32_t side, double width,
                           std::uint32_t colour, std::int32_t spacing);

// VEKD_COMPASSTOOL: compasses with the needle at `pivot` and the pencil lead at `tip`, the
// hinge to the right of pivot->tip as seen on the screen; legs `leg` long, opened to at least
// 0.55 times the pivot-tip distance. Returns -1 when the points are closer than half a pixel.
std::int32_t DrawCompassTool(ImageHandle target, const Point& pivot, const Point& tip, double leg,
                             std::uint32_t colour);

// VEKD_PROTRACTORTOOL: a half-disc protractor of diameter `size` centred on `centre`, its
// diameter along `base`, with 19 ticks from 0 to 180 degrees; the base strip lies on the side
// of the normal of base's direction (below a base pointing right), mirrored when `flip` is
// not 0.
std::int32_t DrawProtractorTool(ImageHandle target, const Point& centre, const Line& base, std::int32_t flip,
                                double size, std::uint32_t colour);

// VEKD_PENCILTOOL: a sharpened pencil `length` long, its point at `tip`, its body along the
// direction angle `angle` (radians, counter-clockwise on screen) from the tip.
std::int32_t DrawPencilTool(ImageHandle target, const Point& tip, double angle, double length,
                            std::uint32_t colour);

}  // namespace vekora
