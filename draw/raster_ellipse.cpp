// Circles, arcs, pie sectors and discs. A ring of real radius r about a whole pixel is the set
// of pixels whose row (or column) is the rounded height of the circle over their column (or
// row); rings half a pixel apart therefore meet without holes. Only the rows and columns
// inside the target are visited, so a huge radius costs no more than the target's size.
#include <algorithm>
#include <cmath>

#include "draw/arc_range.h"
#include "draw/figure_listener.h"
#include "draw/drawn_area.h"
#include "draw/image_surface.h"
#include "draw/raster_line.h"

namespace vekora {
namespace {

constexpr double FullTurn = ArcRange::FullTurn;

// Where an arc of radius r about (cx, cy) can draw: its end points and the points of the
// circle straight right, up, left and down that lie on it, with a margin for the ring's
// width and rounding; the centre too when the arc is drawn with a radius. A film draws a
// growing arc frame after frame, so a bound tighter than the whole circle saves copying.
PixelRect ArcBounds(double cx, double cy, double r, const ArcRange& arc, bool withCentre) {
    constexpr double Margin = 2;
    if (arc.full) return PixelRect::Around(cx - r, cy - r, cx + r, cy + r, Margin);
    const double from = arc.start - arc.slack, to = arc.start + arc.sweep + arc.slack;
    double left = cx, right = cx, top = cy, bottom = cy;
    bool first = !withCentre;
    const auto add = [&](double angle) {
        const double x = cx + r * std::cos(angle), y = cy - r * std::sin(angle);
        if (first) {
            left = right = x;
            top = bottom = y;
            first = false;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    };
    add(from);
    add(to);
    const double quarter = FullTurn / 4;
    for (double k = std::ceil(from / quarter); k * quarter <= to; ++k) add(k * quarter);
    return PixelRect::Around(left, top, right, bottom, Margin);
}

// The rounded height of the circle of radius r over an offset d from its centre (|d| <= r),
// without squaring r, which may be near the largest float. Halves round down: a radius of
// n + 1/2 would otherwise put a lone pixel on each axis, outside its neighbours.
double RoundedHeight(double r, double d) { return std::ceil(std::sqrt((r - d) * (r + d)) - 0.5); }

struct Ring {
    double cx, cy;  // centre, a whole pixel
    double r;
    ArcRange arc;
    // No column or row outside it holds a pixel of the arc: ArcBounds, whose margin is more
    // than a pixel wider than the distance of any ring pixel from the circle.
    PixelRect reach;
};

// Below this radius ArcBounds is exact to far less than a pixel; a larger ring is visited
// across the whole target.
constexpr double MostReachedRadius = 1e9;

// One family of ring pixels: for each visible column (or row, when `byRow`), the two pixels at
// the rounded height above and below, where the column is no further out than that height.
template <typename F>
void DrawRingFamily(const Surface& surface, const Ring& ring, bool byRow, typename F::Pixel pixel) {
    const double centre = byRow ? ring.cy : ring.cx, across = byRow ? ring.cx : ring.cy;
    const std::int32_t size = byRow ? surface.height : surface.width;
    const std::int32_t acrossSize = byRow ? surface.width : surface.height;
    if (centre + ring.r < 0 || centre - ring.r > size - 1) return;
    const std::int32_t first =
        std::max(ClampToInt(std::ceil(centre - ring.r), 0, size - 1), byRow ? ring.reach.top : ring.reach.left);
    const std::int32_t last =
        std::min(ClampToInt(std::floor(centre + ring.r), 0, size - 1), (byRow ? ring.reach.bottom : ring.reach.right) - 1);
    for (std::int32_t along = first; along <= last; ++along) {
        const double d = along - centre;
        const double height = RoundedHeight(ring.r, std::fabs(d));
        if (std::fabs(d) > height) continue;
        for (const double side : {-height, height}) {
            const double other = across + side;
            if (other < 0 || other >= acrossSize || (side == height && height == 0)) continue;
            const double dx = byRow ? side : d, dy = byRow ? d : side;
            if (!ring.arc.Contains(dx, dy)) continue;
            const auto o = static_cast<std::int32_t>(other);
            StorePixel(byRow ? surface.At(o, along) : surface.At(along, o), pixel);
        }
    }
}

// Every pixel within r + 1/2 of the centre: the ring of radius r and everything inside it.
template <typename F>
void DrawDisc(const Surface& surface, double cx, double cy, double r, typename F::Pixel pixel) {
    const double reach = r + 0.5;
    if (cy + reach < 0 || cy - reach > surface.height - 1) return;
    const std::int32_t top = ClampToInt(std::ceil(cy - reach), 0, surface.height - 1);
    const std::int32_t bottom = ClampToInt(std::floor(cy + reach), 0, surface.height - 1);
    for (std::int32_t y = top; y <= bottom; ++y) {
        const double dy = std::fabs(y - cy);
        if (dy > reach) continue;
        const double half = std::floor(std::sqrt((reach - dy) * (reach + dy)));
        if (cx + half < 0 || cx - half > surface.width - 1) continue;
        FillSpan<F>(surface, ClampToInt(cx - half, 0, surface.width - 1), ClampToInt(cx + half, 0, surface.width - 1),
                    y, pixel);
    }
}

// Every pixel whose centre lies between `inner` and `outer` from (cx, cy), any of which may
// be fractional (inner < 0: the whole disc), limited to the arc. The rings and discs of a
// render scale: a ring of radius r at scale k is the band r k +- k / 2 about the centre.
template <typename F>
void DrawBand(const Surface& surface, double cx, double cy, double inner, double outer, const ArcRange& arc,
              bool wholeArc, const PixelRect& reach, typename F::Pixel pixel) {
    if (cy + outer < 0 || cy - outer > surface.height - 1) return;
    const std::int32_t top = std::max(ClampToInt(std::ceil(cy - outer), 0, surface.height - 1), reach.top);
    const std::int32_t bottom = std::min(ClampToInt(std::floor(cy + outer), 0, surface.height - 1), reach.bottom - 1);
    const auto span = [&](std::int32_t y, double from, double to) {
        if (to < 0 || from > surface.width - 1) return;
        const std::int32_t first = std::max(ClampToInt(std::ceil(from), 0, surface.width - 1), reach.left);
        const std::int32_t last = std::min(ClampToInt(std::floor(to), 0, surface.width - 1), reach.right - 1);
        if (first > last) return;
        if (wholeArc) {
            FillSpan<F>(surface, first, last, y, pixel);
            return;
        }
        for (std::int32_t x = first; x <= last; ++x) {
            if (arc.Contains(x - cx, y - cy)) StorePixel(surface.At(x, y), pixel);
        }
    };
    for (std::int32_t y = top; y <= bottom; ++y) {
        const double dy = std::fabs(y - cy);
        if (dy > outer) continue;
        const double out = std::sqrt((outer - dy) * (outer + dy));
        if (inner < 0 || dy >= inner) {
            span(y, cx - out, cx + out);
            continue;
        }
        const double in = std::sqrt((inner - dy) * (inner + dy));
        span(y, cx - out, cx - in);
        span(y, cx + in, cx + out);
    }
}

// RasterEllipse on a surface at a render scale above 1.
void DrawScaledEllipse(ImageHandle target, const Surface& surface, double cx, double cy, double r,
                       std::uint32_t colour, float start, float end, std::int32_t fill) {
    // About the page pixel a circle at scale 1 is drawn about.
    const std::int32_t k = surface.scale;
    const double centreX = ScaledCoordinate(PixelOf(cx), k), centreY = ScaledCoordinate(PixelOf(cy), k), radius = r * k;
    const double from = std::fabs(static_cast<double>(start)), to = std::fabs(static_cast<double>(end));
    const ArcRange arc = fill != 0 ? ArcRange{} : MakeArc(from, to, radius);
    const PixelRect bounds = ArcBounds(centreX, centreY, radius + k / 2.0, arc, std::signbit(start) || std::signbit(end));
    NoteDrawn(target, bounds);
    const PixelRect reach = radius < MostReachedRadius ? bounds : PixelRect::Everything();
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        const typename F::Pixel pixel = F::Encode(colour);
        if (fill != 0) {
            DrawBand<F>(surface, centreX, centreY, -1, radius + k / 2.0, arc, true, reach, pixel);
        } else {
            DrawBand<F>(surface, centreX, centreY, radius - k / 2.0, radius + k / 2.0, arc, arc.full, reach, pixel);
        }
    });
    for (const float angle : {start, end}) {
        if (!std::signbit(angle)) continue;
        const double a = std::fabs(static_cast<double>(angle));
        DrawPageLine(target, surface, cx, cy, cx + r * std::cos(a), cy - r * std::sin(a), colour, 0xFFFF);
    }
}

}  // namespace

void RasterEllipse(ImageHandle target, float cx, float cy, float r, std::uint32_t colour, float aspect, float start,
                   float end, std::int32_t fill) {
    // Every caller passes aspect 1: the shape is always a circle.
    (void)aspect;
    const Surface surface = ResolveSurface(target);
    if (surface.Empty() || !std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || r < 0) return;
    if (!std::isfinite(start) || !std::isfinite(end)) return;
    const double centreX = PixelOf(cx), centreY = PixelOf(cy), radius = r;
    const double from = std::fabs(static_cast<double>(start)), to = std::fabs(static_cast<double>(end));
    const ArcRange arc = fill != 0 ? ArcRange{} : MakeArc(from, to, radius);
    // Told in page units, whatever the scale the pixels are drawn at.
    if (FigureListener* listener = ListenerFor(target)) {
        const RingShape ring{centreX, centreY, radius, from, to, fill != 0 || arc.full, std::signbit(start) || std::signbit(end)};
        if (fill != 0) listener->Disc(target, ring, colour, 255);
        else listener->Ring(target, ring, 1.0, colour);
    }
    if (surface.scale > 1) {
        const FigureToldAbove told;
        DrawScaledEllipse(target, surface, cx, cy, r, colour, start, end, fill);
        return;
    }
    const PixelRect bounds = ArcBounds(centreX, centreY, radius, arc, std::signbit(start) || std::signbit(end));
    NoteDrawn(target, bounds);
    WithFormat(surface.bytesPerPixel, [&](auto format) {
        using F = decltype(format);
        const typename F::Pixel pixel = F::Encode(colour);
        if (fill != 0) {
            DrawDisc<F>(surface, centreX, centreY, radius, pixel);
            return;
        }
        // A negative angle (-0 included) names the angle without its sign and asks for its radius.
        const Ring ring{centreX, centreY, radius, arc, radius < MostReachedRadius ? bounds : PixelRect::Everything()};
        DrawRingFamily<F>(surface, ring, false, pixel);
        DrawRingFamily<F>(surface, ring, true, pixel);
    });
    for (const float angle : {start, end}) {
        if (!std::signbit(angle)) continue;
        const double a = std::fabs(static_cast<double>(angle));
        DrawLine(surface, centreX, centreY, centreX + radius * std::cos(a), centreY - radius * std::sin(a), colour,
                 0xFFFF);
    }
}

}  // namespace vekora
