// Lines and boxes: Bresenham's walk over exact integer end points, clipped before it starts.
#include "draw/raster_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "draw/drawn_area.h"
#include "draw/figure_listener.h"

namespace vekora {
namespace {

// End points this far from the origin are first cut to a box of this size around the target
// in floating point, so that the integer walk below cannot overflow.
constexpr double ExactLimit = 1 << 28;
constexpr double FarMargin = 1 << 20;

struct IntLine {
    std::int64_t x1, y1, x2, y2;
    std::int32_t phase;  // mask bit of the first pixel: pixels already walked before x1, y1
};

// The point where the line through (x1, y1) and (x2, y2) crosses the boundary `side` of the
// box (0 left, 1 right, 2 top, 3 bottom). The crossed coordinate is set exactly, so that
// axis-parallel lines stay exact however far away their ends are.
void CrossBoundary(double x1, double y1, double x2, double y2, int side, double bound, double& x, double& y) {
    if (side < 2) {
        x = bound;
        y = y1 + (bound - x1) * ((y2 - y1) / (x2 - x1));
    } else {
        y = bound;
        x = x1 + (bound - y1) * ((x2 - x1) / (y2 - y1));
    }
}

// Cuts the segment to the box [lo, hi] in both axes (Liang-Barsky). False when nothing is left.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double loX, double loY, double hiX, double hiY) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    int side0 = -1, side1 = -1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0 && t > t0) t0 = t, side0 = i;
        if (p[i] > 0 && t < t1) t1 = t, side1 = i;
    }
    if (!(t0 <= t1)) return false;
    const double bounds[4] = {loX, hiX, loY, hiY};
    const double ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
    if (side0 >= 0) CrossBoundary(ox1, oy1, ox2, oy2, side0, bounds[side0], x1, y1);
    if (side1 >= 0) CrossBoundary(ox1, oy1, ox2, oy2, side1, bounds[side1], x2, y2);
    return true;
}

// Rounds the end points to pixels, first cutting a far-reaching line down to a box around the
// target; the mask phase then counts the pixels cut off before the new first point.
bool ToIntLine(const Surface& surface, double x1, double y1, double x2, double y2, std::int32_t bitPixels,
               IntLine& line) {
    double px1 = PixelOf(x1), py1 = PixelOf(y1), px2 = PixelOf(x2), py2 = PixelOf(y2);
    line.phase = 0;
    if (std::max({std::fabs(px1), std::fabs(py1), std::fabs(px2), std::fabs(py2)}) > ExactLimit) {
        const double sx = px1, sy = py1;
        if (!ClipToBox(px1, py1, px2, py2, -FarMargin, -FarMargin, surface.width + FarMargin,
                       surface.height + FarMargin)) {
            return false;
        }
        const double walked = std::max(std::fabs(px1 - sx), std::fabs(py1 - sy));
        line.phase = static_cast<std::int32_t>(std::fmod(std::floor(walked + 0.5), 16.0 * bitPixels));
        px1 = PixelOf(px1), py1 = PixelOf(py1), px2 = PixelOf(px2), py2 = PixelOf(py2);
    }
    line.x1 = static_cast<std::int64_t>(px1);
    line.y1 = static_cast<std::int64_t>(py1);
    line.x2 = static_cast<std::int64_t>(px2);
    line.y2 = static_cast<std::int64_t>(py2);
    return true;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The steps i (0 = first point, da = last point) whose pixel may be visible: the major
// coordinate a1 + sa * i lies in [0, majorSize), and the minor coordinate b1 + i * db / da
// lies in [0, minorSize) give or take one step.
void VisibleSteps(std::int64_t a1, std::int64_t sa, std::int64_t da, std::int64_t majorSize, std::int64_t b1,
                  std::int64_t db, std::int64_t minorSize, std::int64_t& first, std::int64_t& last) {
    first = 0;
    last = da;
    if (sa > 0) {
        first = std::max(first, -a1);
        last = std::min(last, majorSize - 1 - a1);
    } else {
        first = std::max(first, a1 - (majorSize - 1));
        last = std::min(last, a1);
    }
    if (db == 0) return;
    const double i0 = (-1 - static_cast<double>(b1)) * static_cast<double>(da) / static_cast<double>(db);
    const double i1 = (static_cast<double>(minorSize) - static_cast<double>(b1)) * static_cast<double>(da) /
                      static_cast<double>(db);
    first = std::max(first, static_cast<std::int64_t>(std::floor(std::min(i0, i1))) - 1);
    last = std::min(last, static_cast<std::int64_t>(std::ceil(std::max(i0, i1))) + 1);
}

// Walks a line whose major axis is x (|dx| >= |dy|) after swapping axes as `steep` says.
// The minor coordinate at step i is y1 + round(i * dy / |dx|), halves up, kept exactly as a
// quotient and remainder so that the walk can start at the first visible step.
// Each bit of the mask covers `bitPixels` pixels; the one-bit case keeps a loop of its own.
template <typename F, bool Stretched>
void WalkLine(const Surface& surface, const IntLine& line, bool steep, typename F::Pixel pixel, std::uint16_t mask,
              std::int32_t bitPixels) {
    const std::int64_t a1 = steep ? line.y1 : line.x1, b1 = steep ? line.x1 : line.y1;
    const std::int64_t a2 = steep ? line.y2 : line.x2, b2 = steep ? line.x2 : line.y2;
    const std::int64_t minorSize = steep ? surface.width : surface.height;
    const std::int64_t da = std::llabs(a2 - a1), db = b2 - b1;
    const std::int64_t sa = a2 >= a1 ? 1 : -1;
    std::int64_t first = 0, last = 0;
    VisibleSteps(a1, sa, da, steep ? surface.height : surface.width, b1, db, minorSize, first, last);
    if (first > last) return;
    const std::int64_t denominator = 2 * std::max<std::int64_t>(da, 1);
    const std::int64_t numerator = 2 * first * db + da;
    std::int64_t b = b1 + FloorDiv(numerator, denominator);
    std::int64_t remainder = numerator - FloorDiv(numerator, denominator) * denominator;
    // Byte offsets of the current pixel and of one step along each axis.
    const std::int64_t majorUnit = steep ? static_cast<std::int64_t>(surface.Stride()) : surface.bytesPerPixel;
    const std::int64_t minorUnit = steep ? surface.bytesPerPixel : static_cast<std::int64_t>(surface.Stride());
    std::int64_t offset = (a1 + sa * first) * majorUnit + b * minorUnit;
    // The mask rotated so that its top bit belongs to the current pixel.
    const std::int64_t walked = first + line.phase;
    const auto shift = static_cast<unsigned>((Stretched ? walked / bitPixels : walked) & 15);
    std::int64_t bitLeft = Stretched ? bitPixels - walked % bitPixels : 1;
    auto pattern = static_cast<std::uint32_t>(((mask << shift) | (mask >> ((16 - shift) & 15))) & 0xFFFF);
    for (std::int64_t i = first; i <= last; ++i) {
        if ((pattern & 0x8000) != 0 && b >= 0 && b < minorSize) StorePixel(surface.pixels + offset, pixel);
        if (!Stretched || --bitLeft == 0) {
            pattern = ((pattern << 1) | (pattern >> 15)) & 0xFFFF;
            if constexpr (Stretched) bitLeft = bitPixels;
        }
        offset += sa * majorUnit;
        remainder += 2 * db;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++b;
            offset += minorUnit;
        } else if (remainder < 0) {
            remainder += denominator;
            --b;
            offset -= minorUnit;
        }
    }
}

// Kind 1 and 2: the axis-parallel rectangle with these corners, outlined or filled.
template <typename F>
void DrawBox(const Surface& surface, double x1, double y1, double x2, double y2, typename F::Pixel pixel, bool filled) {
    const double left = PixelOf(std::min(x1, x2)), right = PixelOf(std::max(x1, x2));
    const double top = PixelOf(std::min(y1, y2)), bottom = PixelOf(std::max(y1, y2));
    if (right < 0 || bottom < 0 || left >= surface.width || top >= surface.height) return;
    const std::int32_t l = ClampToInt(left, 0, surface.width - 1), r = ClampToInt(right, 0, surface.width - 1);
    const std::int32_t t = ClampToInt(top, 0, surface.height - 1), b = ClampToInt(bottom, 0, surface.height - 1);
    for (std::int32_t y = t; y <= b; ++y) {
        if (filled || y == top || y == bottom) {
            FillSpan<F>(surface, l, r, y, pixel);
        } else {
            if (left >= 0) StorePixel(surface.At(l, y), pixel);
            if (right < surface.width) StorePixel(surface.At(r, y), pixel);
        }
    }
}

}  // namespace

void DrawLine(const Surface& surface, double x1, double y1, double x2, double y2, std::uint32_t colour,
              std::uint16_t styleMask, std::int32_t bitPixels) {
    // An infinite end point gives the line no direction; it is not drawn.
    if (surface.Empty() || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    IntLine line{};
    if (!ToIntLine(surface, x1, y1, x2, y2, bitPixels, line)) return;
    const bool steep = std::llabs(line.x2 - line.x1) < std::llabs(line.y2 - line.y1);
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        if (bitPixels > 1 && styleMask != 0xFFFF) {
            WalkLine<F, true>(surface, line, steep, F::Encode(colour), styleMask, bitPixels);
        } else {
            WalkLine<F, false>(surface, line, steep, F::Encode(colour), styleMask, 1);
        }
    });
}

namespace {

// Tells the target's watches where a line can have drawn, row by row: each row gets the columns
// the line passes between two rows above and two below it, and two more on either side, which
// holds whatever rounding the walk does. A long slanted line is then a band, not a rectangle.
void NoteLine(ImageHandle target, const Surface& surface, double x1, double y1, double x2, double y2) {
    constexpr double Reach = 2;
    const double limit = 1e7;  // beyond this the line is clipped anyway: count its rectangle
    // A short or nearly level or upright line gains nothing from strips: its rectangle is thin.
    constexpr double Thin = 24;
    const double width = std::fabs(x2 - x1), height = std::fabs(y2 - y1);
    if (std::min(width, height) <= Thin || !(std::fabs(x1) < limit && std::fabs(y1) < limit && std::fabs(x2) < limit &&
                                             std::fabs(y2) < limit)) {
        NoteDrawn(target, PixelRect::Around(x1, y1, x2, y2, Reach));
        return;
    }
    constexpr std::int32_t Band = DrawnArea::BandRows;
    const auto first = static_cast<std::int32_t>(std::max(std::floor(std::min(y1, y2)) - Reach, 0.0));
    const auto last = static_cast<std::int32_t>(std::min(std::ceil(std::max(y1, y2)) + Reach + 1, static_cast<double>(surface.height)));
    if (first >= last || !DrawingWatched(target)) return;
    // One span a band of rows, the bands the watches keep.
    const std::int32_t top = first / Band * Band;
    const std::int32_t strips = (last - 1) / Band - first / Band + 1;
    // Most lines fit the buffer on the stack; a taller one takes the heap.
    constexpr std::int32_t StackStrips = 128;
    std::array<std::int32_t, 2 * StackStrips> stackSpans;
    std::vector<std::int32_t> heapSpans(strips > StackStrips ? 2 * static_cast<std::size_t>(strips) : 0);
    std::int32_t* const spans = strips > StackStrips ? heapSpans.data() : stackSpans.data();
    const double dy = y2 - y1;
    const double lowX = std::min(x1, x2), highX = std::max(x1, x2);
    // Where the line crosses a row, as a function of the row; a flat line is all of its width.
    const bool flat = !(std::fabs(dy) > 1e-9);
    const double slope = flat ? 0.0 : (x2 - x1) / dy;
    for (std::int32_t strip = 0; strip < strips; ++strip) {
        const std::int32_t row = top + strip * Band;
        double from = lowX, to = highX;
        if (!flat) {
            const double xa = std::clamp(x1 + (row - Reach - y1) * slope, lowX, highX);
            const double xb = std::clamp(x1 + (row + Band - 1 + Reach - y1) * slope, lowX, highX);
            from = std::min(xa, xb);
            to = std::max(xa, xb);
        }
        const std::size_t at = 2 * static_cast<std::size_t>(strip);
        spans[at] = static_cast<std::int32_t>(std::max(std::floor(from) - Reach, -1.0));
        spans[at + 1] = static_cast<std::int32_t>(std::min(std::ceil(to) + Reach + 1, static_cast<double>(surface.width) + 1));
    }
    NoteDrawnRows(target, top, Band, spans, strips);
}

}  // namespace

namespace {

// A line at a render scale: `k` one-pixel lines side by side across the major axis, each
// reaching (k - 1) / 2 pixels past the ends along it, so that the line covers the k x k
// blocks of the pixels a line at scale 1 covers, finer where it slopes.
void DrawScaledLine(ImageHandle target, const Surface& surface, double x1, double y1, double x2, double y2,
                    std::uint32_t colour, std::uint16_t styleMask) {
    // The ends are the page pixels a line at scale 1 starts and ends on, so that the two meet
    // the same figures; between them the line runs finer.
    const std::int32_t k = surface.scale;
    const double X1 = ScaledCoordinate(PixelOf(x1), k), Y1 = ScaledCoordinate(PixelOf(y1), k);
    const double X2 = ScaledCoordinate(PixelOf(x2), k), Y2 = ScaledCoordinate(PixelOf(y2), k);
    if (!std::isfinite(X1) || !std::isfinite(Y1) || !std::isfinite(X2) || !std::isfinite(Y2)) return;
    const double dx = X2 - X1, dy = Y2 - Y1, half = (k - 1) / 2.0;
    const bool steep = std::fabs(dx) < std::fabs(dy);
    // How far each end reaches on, and the offset of each stroke across.
    double ex = 0, ey = 0;
    if (steep) {
        ey = dy > 0 ? half : -half;
        ex = dx / dy * ey;
    } else {
        ex = dx < 0 ? -half : half;
        ey = dx == 0 ? 0 : dy / dx * ex;
    }
    for (std::int32_t j = 0; j < k; ++j) {
        const double across = j - half;
        const double ox = steep ? across : 0, oy = steep ? 0 : across;
        const double ax = X1 - ex + ox, ay = Y1 - ey + oy, bx = X2 + ex + ox, by = Y2 + ey + oy;
        NoteLine(target, surface, ax, ay, bx, by);
        DrawLine(surface, ax, ay, bx, by, colour, styleMask, k);
    }
}

// Boxes at a render scale: the k x k blocks of the pixels the box covers at scale 1.
void DrawScaledBox(ImageHandle target, const Surface& surface, double x1, double y1, double x2, double y2,
                   std::uint32_t colour, bool filled) {
    const double k = surface.scale;
    const double left = k * PixelOf(std::min(x1, x2)), right = k * PixelOf(std::max(x1, x2)) + k - 1;
    const double top = k * PixelOf(std::min(y1, y2)), bottom = k * PixelOf(std::max(y1, y2)) + k - 1;
    NoteDrawn(target, PixelRect::Around(left, top, right, bottom, 0));
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        const typename F::Pixel pixel = F::Encode(colour);
        if (filled) {
            DrawBox<F>(surface, left, top, right, bottom, pixel, true);
            return;
        }
        DrawBox<F>(surface, left, top, right, top + k - 1, pixel, true);
        DrawBox<F>(surface, left, bottom - k + 1, right, bottom, pixel, true);
        DrawBox<F>(surface, left, top, left + k - 1, bottom, pixel, true);
        DrawBox<F>(surface, right - k + 1, top, right, bottom, pixel, true);
    });
}

}  // namespace

void DrawPageLine(ImageHandle target, const Surface& surface, double x1, double y1, double x2, double y2,
                  std::uint32_t colour, std::uint16_t styleMask) {
    if (surface.scale > 1) {
        DrawScaledLine(target, surface, x1, y1, x2, y2, colour, styleMask);
        return;
    }
    NoteLine(target, surface, x1, y1, x2, y2);
    DrawLine(surface, x1, y1, x2, y2, colour, styleMask);
}

void RasterLine(ImageHandle target, float x1, float y1, float x2, float y2, std::uint32_t colour, LineKind kind,
                std::uint16_t styleMask) {
    const Surface surface = ResolveSurface(target);
    if (surface.Empty()) return;
    // Told in page units, whatever the scale the pixels are drawn at.
    if (FigureListener* listener = ListenerFor(target)) {
        if (kind == LineKind::Line) listener->Segment(target, x1, y1, x2, y2, 1.0, styleMask, colour);
        else listener->Box(target, x1, y1, x2, y2, kind == LineKind::FilledBox, colour, 255);
    }
    if (surface.scale > 1) {
        const FigureToldAbove told;
        if (kind == LineKind::Line) {
            DrawScaledLine(target, surface, x1, y1, x2, y2, colour, styleMask);
        } else if (!std::isnan(x1) && !std::isnan(y1) && !std::isnan(x2) && !std::isnan(y2)) {
            DrawScaledBox(target, surface, x1, y1, x2, y2, colour, kind == LineKind::FilledBox);
        }
        return;
    }
    if (kind == LineKind::Line) NoteLine(target, surface, x1, y1, x2, y2);
    else NoteDrawn(target, PixelRect::Around(x1, y1, x2, y2, 0));
    if (kind == LineKind::Line) {
        DrawLine(surface, x1, y1, x2, y2, colour, styleMask);
        return;
    }
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        DrawBox<F>(surface, x1, y1, x2, y2, F::Encode(colour), kind == LineKind::FilledBox);
    });
}

}  // namespace vekora
