// The marker of a Point.
#include "draw/points.h"

#include <cmath>

#include "draw/strokes.h"

namespace vekora {

namespace {

constexpr auto FullTurn = static_cast<float>(TwoPi);

void Stroke(ImageHandle target, double x1, double y1, double x2, double y2, std::uint32_t colour) {
    StrokeSegment(target, x1, y1, x2, y2, colour, SolidMask);
}

void Box(ImageHandle target, double x, double y, double half, std::uint32_t colour, LineKind kind) {
    RasterLine(target, static_cast<float>(x - half), static_cast<float>(y - half), static_cast<float>(x + half),
               static_cast<float>(y + half), colour, kind, SolidMask);
}

// Two strokes meeting at the tip (x, y) from (x + bx +- sx, y + by +- sy).
void ArrowHead(ImageHandle target, double x, double y, double bx, double by, double sx, double sy,
               std::uint32_t colour) {
    Stroke(target, x + bx - sx, y + by - sy, x, y, colour);
    Stroke(target, x + bx + sx, y + by + sy, x, y, colour);
}

bool OffTarget(const SurfaceSize& size, double x, double y) {
    // Written so that a coordinate that is not a number counts as off the target.
    return !(x >= 0.0 && y >= 0.0 && x <= size.width && y <= size.height);
}

}  // namespace

std::int32_t DrawPoint(ImageHandle target, const Point& point) {
    if (IsUndefined(point)) return UNDEFINED_CODE;
    const double x = point.x;
    const double y = point.y;
    if (OffTarget(SurfaceInfo(target), x, y)) return -1;
    const double s = point.size;
    const double half = s / 2.0;
    const std::uint32_t colour = point.colour;
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    switch (static_cast<PointShape>(point.shape)) {
        case PointShape::Cross:
            Stroke(target, x - half, y, x + half, y, colour);
            Stroke(target, x, y - half, x, y + half, colour);
            break;
        case PointShape::Disc:
            RasterEllipse(target, fx, fy, static_cast<float>(half), colour, 1.0f, 0.0f, FullTurn, -1);
            break;
        case PointShape::Ring:
            RasterEllipse(target, fx, fy, static_cast<float>(half), colour, 1.0f, 0.0f, FullTurn, 0);
            break;
        case PointShape::FilledSquare: Box(target, x, y, half, colour, LineKind::FilledBox); break;
        case PointShape::Square: Box(target, x, y, half, colour, LineKind::Box); break;
        case PointShape::ArrowLeft: ArrowHead(target, x, y, s, 0.0, 0.0, half, colour); break;
        case PointShape::ArrowRight: ArrowHead(target, x, y, -s, 0.0, 0.0, half, colour); break;
        case PointShape::ArrowUp: ArrowHead(target, x, y, 0.0, s, half, 0.0, colour); break;
        case PointShape::ArrowDown: ArrowHead(target, x, y, 0.0, -s, half, 0.0, colour); break;
        default: RasterPixel(target, fx, fy, colour); break;
    }
    return 0;
}

}  // namespace vekora
