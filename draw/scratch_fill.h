// Filled shapes go through a scratch image: outline, flood fill from a seed, then a blend
// onto the target, so that only the shape changes the target whatever the alpha.
#pragma once

#include <cstdint>
#include <functional>

#include "draw/image.h"
#include "draw/shape_depth.h"

namespace vekora {

// The scratch image: width x height pixels, blended with its top-left pixel at (left, top)
// of the target (the raster layer rounds a placement that is not whole).
struct PixelBox {
    double left = 0.0;
    double top = 0.0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// How the interior is found once the outline is drawn.
enum class FloodRule {
    // Flood from the seed, and keep the flood only if it stayed within the shape: it escaped
    // when it filled a pixel of the scratch border lying well outside the shape, which happens
    // when the seed falls outside an outline with no room inside (a shape without area).
    // Then, as for TrustedSeed, pockets the flood could not reach are filled as in ScanInside.
    EnclosedSeed,
    // Flood from the seed, which the caller has checked; the interior may run to the border.
    // A thin shape's outline can cut its interior into pockets: those are filled as well.
    TrustedSeed,
    // Flood from every pixel still empty that lies at least a pixel deep inside the shape;
    // for shapes whose seed cannot be trusted or whose visible part may fall apart.
    ScanInside,
    // No interior: only the outline is blended.
    OutlineOnly,
};

struct ScratchFill {
    PixelBox box;
    std::uint32_t colour = 0;
    std::int32_t alpha = 255;
    FloodRule rule = FloodRule::EnclosedSeed;
    double seedX = 0.0;  // relative to the box
    double seedY = 0.0;
    // Signed distance in pixels from (x, y) (scratch coordinates) to the shape's outline,
    // positive inside; needed by EnclosedSeed and ScanInside.
    std::function<double(double x, double y)> depth;
    // Optional: of the columns 0 to width - 1 of row y, the run outside which no depth reaches
    // `atLeast`; the scan for seeds skips the rest of the row.
    std::function<ColumnRun(std::int32_t y, std::int32_t width, double atLeast)> reachingColumns;
};

// Sets the fill's depth, and the runs that spare its scan most of each row, to a convex
// polygon's (corners in scratch coordinates).
void MeasureByOutline(ScratchFill& fill, const ConvexOutline& outline);

// Draws the outline with `outline(scratch)` (coordinates relative to the box, in fill.colour),
// fills the interior by fill.rule and blends the scratch image onto the target in blend mode
// with fill.alpha. Boxes with no pixel, or that no image can hold, draw nothing.
void BlendThroughScratch(ImageHandle target, const ScratchFill& fill,
                         const std::function<void(ImageHandle scratch)>& outline);

// A box no larger than the target needs: true when a scratch image of this size would hold far
// more pixels than the target shows, or more than an image can hold.
bool ExceedsTarget(const SurfaceSize& target, double width, double height);

}  // namespace vekora
