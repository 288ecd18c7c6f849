// One-pixel segments handed to the raster layer, and the thick strokes built from them.
#include "draw/strokes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "draw/figure_listener.h"

namespace vekora {

namespace {

// Coordinates up to this size go to the raster layer unchanged: a float still resolves
// them to 1/16 of a pixel, and the layer clips them itself.
constexpr double FarCoordinate = 1.0e6;
// Clipping keeps this much beyond the target so that rounding at the border is the layer's.
constexpr double ClipMargin = 4.0;

bool IsFar(double v) { return std::fabs(v) > FarCoordinate; }

// Liang-Barsky: narrows [t0, t1] to the part of the segment where p*t <= q holds.
bool ClipAgainst(double p, double q, double& t0, double& t1) {
    if (p == 0.0) return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
        if (t > t1) return false;
        if (t > t0) t0 = t;
    } else {
        if (t < t0) return false;
        if (t < t1) t1 = t;
    }
    return true;
}

// Dash masks repeat every this many pixels along the major axis.
constexpr double MaskPeriod = 16.0;

double Reach(double x, double y) { return std::max(std::fabs(x), std::fabs(y)); }

// Moves the clip parameter t (a fraction of the segment, counted from its first point) back
// towards that point by less than one mask period, to a whole number of periods from it.
double KeepPhase(double t, double major) { return std::floor(t * major / MaskPeriod) * MaskPeriod / major; }

// Clips the segment to [-m, w + m] x [-m, h + m]; false when nothing of it is left. The
// clipping is measured from the nearer end: from the far end, the fraction of the segment
// left to the target would be lost to rounding. A dashed segment keeps its pattern: its first
// point moves by a whole number of mask periods.
bool ClipToTarget(const SurfaceSize& size, double& x1, double& y1, double& x2, double& y2, std::uint16_t mask) {
    const bool swapped = Reach(x1, y1) > Reach(x2, y2);
    if (swapped) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    double t0 = 0.0;
    double t1 = 1.0;
    const double left = -ClipMargin, top = -ClipMargin;
    const double right = size.width + ClipMargin, bottom = size.height + ClipMargin;
    if (!ClipAgainst(-dx, x1 - left, t0, t1) || !ClipAgainst(dx, right - x1, t0, t1) ||
        !ClipAgainst(-dy, y1 - top, t0, t1) || !ClipAgainst(dy, bottom - y1, t0, t1)) {
        return false;
    }
    if (mask != SolidMask) {
        const double major = std::max(std::fabs(dx), std::fabs(dy));
        if (swapped) {
            t1 = 1.0 - KeepPhase(1.0 - t1, major);
        } else {
            t0 = KeepPhase(t0, major);
        }
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    if (t1 < 1.0) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (swapped) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    return true;
}

}  // namespace

StrokeStacking StackingFor(double dx, double dy) {
    return std::fabs(dx) < std::fabs(dy) ? StrokeStacking::Horizontal : StrokeStacking::Vertical;
}

void StrokeSegment(ImageHandle target, double x1, double y1, double x2, double y2, std::uint32_t colour,
                   std::uint16_t mask) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
    if (IsFar(x1) || IsFar(y1) || IsFar(x2) || IsFar(y2)) {
        if (!ClipToTarget(SurfaceInfo(target), x1, y1, x2, y2, mask)) return;
    }
    RasterLine(target, static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
               static_cast<float>(y2), colour, LineKind::Line, mask);
}

void ThickSegment(ImageHandle target, double x1, double y1, double x2, double y2, StrokeStacking stacking,
                  std::int32_t thickness, std::uint32_t colour, std::uint16_t mask) {
    if (thickness <= 0) return;
    const double half = thickness / 2.0;
    const bool vertical = stacking == StrokeStacking::Vertical;
    FigureListener* listener = ListenerFor(target);
    if (listener != nullptr) {
        // The strokes are stacked across the minor axis, so the band they make is thinner
        // across the line than `thickness` by the cosine of the line's slant; its middle lies
        // half a pixel before the given line (strokes at -half ... -half + thickness - 1).
        const double dx = x2 - x1, dy = y2 - y1;
        const double length = std::hypot(dx, dy);
        const double across = length > 0 ? thickness * std::max(std::fabs(dx), std::fabs(dy)) / length : thickness;
        const double shift = thickness > 1 ? -0.5 : 0.0;
        const double sx = vertical ? 0.0 : shift, sy = vertical ? shift : 0.0;
        listener->Segment(target, x1 + sx, y1 + sy, x2 + sx, y2 + sy, across, mask, colour);
    }
    const FigureToldAbove told;
    // The minor-axis coordinates of both ends; the other two stay fixed.
    double& a = vertical ? y1 : x1;
    double& b = vertical ? y2 : x2;
    const double a0 = a - half;
    const double b0 = b - half;
    for (std::int32_t i = 0; i < thickness; ++i) {
        a = a0 + i;
        b = b0 + i;
        StrokeSegment(target, x1, y1, x2, y2, colour, mask);
    }
}

}  // namespace vekora
