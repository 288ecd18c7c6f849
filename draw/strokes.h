// One-pixel segments handed to the raster layer, and the thick strokes built from them.
#pragma once

#include <cstdint>

#include "draw/image.h"

namespace vekora {

constexpr std::uint16_t SolidMask = 0xFFFF;

// Which way the one-pixel strokes of a thick line are stacked: a shallow line's strokes
// lie one above the other (offset in y), a steep line's side by side (offset in x).
enum class StrokeStacking { Vertical, Horizontal };

// A shallow line has |dx| >= |dy| (equal magnitudes count as shallow).
StrokeStacking StackingFor(double dx, double dy);

// Draws (x1, y1)-(x2, y2) with RasterLine kind 0. Single precision cannot carry the far
// coordinates the kernel produces (up to 1e280), so a segment reaching beyond FarCoordinate
// is first clipped in double precision to the target plus a small margin; a segment with a
// coordinate that is not a number is not drawn.
void StrokeSegment(ImageHandle target, double x1, double y1, double x2, double y2, std::uint32_t colour,
                   std::uint16_t mask);

// `thickness` one-pixel strokes side by side: both ends move by -thickness / 2.0 across the
// stacking axis, then stroke i is drawn at offset +i. Nothing for a thickness of 0 or less.
void ThickSegment(ImageHandle target, double x1, double y1, double x2, double y2, StrokeStacking stacking,
                  std::int32_t thickness, std::uint32_t colour, std::uint16_t mask);

}  // namespace vekora
