// What every writer of a figure draws alike: the outline fonts the resident bitmap fonts were
// rendered from, the dash runs of a mask, the points of an arc, and the half-pixel between
// raster coordinates (a pixel's centre) and outline coordinates (its corner).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/figure_record.h"

namespace vekora {

// Raster coordinate c is the centre of pixel floor(c + 0.5), which covers [c, c + 1) on paper.
constexpr double PixelCentre = 0.5;

inline constexpr const char* FigureFontFamily = "DejaVu Sans";
inline constexpr const char* FigureFontFallbacks = "'DejaVu Sans', 'Bitstream Vera Sans', Verdana, sans-serif";

// The pixel size the bitmap font of a nominal height was rendered at, and its baseline below
// the glyph's top (tools/fontgen fitted both families into the height).
struct FontMetrics {
    double pixelSize;
    double baseline;
};
FontMetrics MetricsOfFont(std::int32_t nominalHeight);

// The on and off runs, in pixels along the major axis, of a dash mask starting with an on
// run, and how far into them the line's first pixel falls; empty for a solid mask.
struct DashRuns {
    std::vector<double> runs;
    double offset = 0;
};
DashRuns RunsOfMask(std::uint16_t mask);

// How much longer the line is than its major axis: dash runs along the line scale by this.
double DashScale(double dx, double dy);

// The arc from start counter-clockwise to end (as the screen shows it), in radians: its sweep.
double ArcSweep(double start, double end);

// The figure without the page's background, for a transparent picture: the first items, boxes
// over the whole page in the background colour, are left out.
std::size_t FirstDrawnItem(const FigureRecord& record);

// A coordinate or length as the text writers put it: at most three decimals, no trailing zeros.
std::string ShortNumber(double v);

}  // namespace vekora
