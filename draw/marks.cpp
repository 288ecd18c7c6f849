// Marks: point names, segment labels and lengths, angle arcs and measures, right angles.
#include "draw/marks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "draw/number_format.h"
#include "draw/points.h"
#include "draw/strokes.h"
#include "draw/text.h"
#include "geom/angles.h"
#include "geom/intersections.h"
#include "geom/lines.h"

namespace vekora {

namespace {

// Labels sit this far from a point, and this far above or below a segment, in pixels.
constexpr double PointGap = 3.0;
constexpr std::int64_t SegmentGap = 5;
// The label of an angle sits at this fraction of the arc's radius from the vertex.
constexpr double LabelReach = 0.65;
// Spans within this many radians of a quarter or three quarter turn are right angles.
constexpr double RightAngleTolerance = 0.01;
// A label placed farther out than this is off every target; keeps the conversion defined.
constexpr double FarPixel = 1 << 30;
// The character whose glyph gives the height of angle labels ('!').
constexpr std::uint8_t AngleHeightCode = 33;
constexpr char DegreeSign = '\xB0';

// Nearest integer, halves to even; values beyond any target are pinned far outside it.
std::int32_t ToPixel(double v) {
    if (!(v > -FarPixel)) return static_cast<std::int32_t>(-FarPixel);
    if (!(v < FarPixel)) return static_cast<std::int32_t>(FarPixel);
    return static_cast<std::int32_t>(std::nearbyint(v));
}

// The font height the marks use: one byte, the low byte of a glyph's height.
std::int32_t HeightOfGlyph(const FontView& font, std::uint8_t code) {
    const std::uint8_t* glyph = font.Glyph(code);
    return glyph == nullptr ? 0 : glyph[2];
}

void Label(ImageHandle target, std::string_view text, const FontView& font, std::int32_t x, std::int32_t y,
           std::uint32_t colour) {
    PrintText(target, text, font, x, y, colour, TransparentColour(target));
}

double NormalAngle(double a) { return a < 0.0 ? a + TwoPi : a; }

// The vertex, the span between the lines' directions, and the arc from a1 to a2 with the
// direction `mid` of its middle, for one of the four angles between two lines.
struct AnglePlan {
    Point vertex;
    double span;
    double a1;
    double a2;
    double mid;
};

AnglePlan PlanAngle(const Line& line1, const Line& line2, std::int32_t variant) {
    AnglePlan plan{VEK_LINECROSS(line1, line2), 0.0, NormalAngle(VEK_ABSANGLE(line1)),
                   NormalAngle(VEK_ABSANGLE(line2)), 0.0};
    double& a1 = plan.a1;
    double& a2 = plan.a2;
    plan.span = NormalAngle(a2 - a1);
    // The smaller angle, through the opposite ray of line2.
    if (plan.span > Pi && variant < AngleAsGiven) a2 = NormalAngle(a2 - Pi);
    const double b1 = a1;
    const double b2 = a2;
    switch (variant) {
        case 1: a1 = b2; a2 = NormalAngle(b1 - Pi); break;
        case 2: a1 = NormalAngle(b1 - Pi); a2 = NormalAngle(b2 - Pi); break;
        case 3: a1 = NormalAngle(b2 - Pi); a2 = b1; break;
        default: break;
    }
    plan.mid = (a1 + a2) / 2.0;
    if (a2 < a1) plan.mid -= Pi;  // the arc passes through angle 0
    return plan;
}

bool IsRightSpan(double span) {
    return std::fabs(span - Pi / 2.0) < RightAngleTolerance || std::fabs(span - 3.0 * Pi / 2.0) < RightAngleTolerance;
}

// The arc of the angle; callers have checked the vertex. An arc whose circle lies wholly
// off the target is skipped (single precision could not place it).
void AngleArc(ImageHandle target, const AnglePlan& plan, double radius, std::uint32_t colour) {
    const SurfaceSize size = SurfaceInfo(target);
    const Point& o = plan.vertex;
    const double reach = std::fabs(radius) + 2.0;
    const bool near = o.x > -reach && o.x < size.width + reach && o.y > -reach && o.y < size.height + reach;
    if (!near) return;
    RasterEllipse(target, static_cast<float>(o.x), static_cast<float>(o.y), static_cast<float>(radius), colour, 1.0f,
                  static_cast<float>(plan.a1), static_cast<float>(plan.a2), 0);
}

std::int32_t DrawAngleMark(ImageHandle target, const Line& line1, const Line& line2, const AnglePlan& plan,
                           std::string_view label, const FontView& font, std::int32_t variant, double radius) {
    if (IsRightSpan(plan.span)) MarkRightAngle(target, line1, line2, variant, radius / 4.0);
    AngleArc(target, plan, radius, line1.colour);
    const std::int32_t w = StringWidth(label, font);
    const std::int32_t fh = HeightOfGlyph(font, AngleHeightCode);
    const Point& o = plan.vertex;
    const std::int32_t x = ToPixel(o.x + std::cos(plan.mid) * radius * LabelReach - w / 2);
    const std::int32_t y = ToPixel(o.y - std::sin(plan.mid) * radius * LabelReach - fh / 2);
    Label(target, label, font, x, y, line1.colour);
    return 0;
}

// The angle a-v-b as two lines from v, both in v's colour.
struct PointAngle {
    Line line1;
    Line line2;
};

PointAngle LinesOf(const Point& a, const Point& v, const Point& b) { return {LineThrough(v, a), LineThrough(v, b)}; }

bool AnyUndefined(const Point& a, const Point& v, const Point& b) {
    return IsUndefined(a) || IsUndefined(v) || IsUndefined(b);
}

}  // namespace

std::int32_t MarkPoint(ImageHandle target, const Point& point, std::string_view text, const FontView& font,
                       std::int32_t flags) {
    if (IsUndefined(point)) return UNDEFINED_CODE;
    DrawPoint(target, point);
    const std::int32_t w = StringWidth(text, font);
    const std::int32_t fh = HeightOfGlyph(font, 0);
    double y = point.y - fh / 2;
    if (flags & LabelAbove) {
        y = point.y - fh - PointGap;
    } else if (flags & LabelBelow) {
        y = point.y + PointGap;
    }
    double x = point.x - w / 2;
    if (flags & LabelLeft) {
        x = point.x - w - PointGap;
    } else if (flags & LabelRight) {
        x = point.x + PointGap;
    }
    Label(target, text, font, ToPixel(x), ToPixel(y), point.colour);
    return 0;
}

std::int32_t MarkLine(ImageHandle target, const Point& p1, const Point& p2, std::string_view text,
                      const FontView& font, std::int32_t side) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    const std::int32_t w = StringWidth(text, font);
    const std::int32_t fh = HeightOfGlyph(font, 0);
    const Point middle = Midpoint(p1, p2);
    const std::int32_t mx = ToPixel(middle.x);
    const std::int32_t my = ToPixel(middle.y);
    // In 64 bits: the midpoint may be pinned far outside the target.
    std::int64_t x = 0;
    std::int64_t y = 0;
    if (std::fabs(p2.y - p1.y) > std::fabs(p2.x - p1.x)) {
        y = my;
        x = side != 0 ? std::int64_t{mx} + fh / 2 : std::int64_t{mx} - w - fh / 2;
    } else {
        x = std::int64_t{mx} - w / 2;
        y = side != 0 ? my + SegmentGap : std::int64_t{my} - fh - SegmentGap;
    }
    Label(target, text, font, ToPixel(static_cast<double>(x)), ToPixel(static_cast<double>(y)), p1.colour);
    return 0;
}

std::int32_t MarkAndNumberLine(ImageHandle target, const Point& p1, const Point& p2, std::string_view text,
                               const FontView& font, std::int32_t flags, std::int32_t unit) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    double length = VEK_DISTANCE(p1, p2);
    if (flags & NegateLength) length = -length;
    const std::string number = unit > 1 ? FormatMeasure(length / unit) : FormatWhole(length);
    const std::string label = std::string(text) + "=" + number;
    return MarkLine(target, p1, p2, label, font, flags != 0 ? 1 : 0);
}

std::int32_t MarkRightAngle(ImageHandle target, const Line& line1, const Line& line2, std::int32_t flags,
                            double size) {
    const Point o = VEK_LINECROSS(line1, line2);
    if (IsUndefined(o)) return UNDEFINED_CODE;
    const double len1 = std::hypot(line1.dx, line1.dy);
    const double len2 = std::hypot(line2.dx, line2.dy);
    const double k1 = (flags & 1 ? -size : size) / len1;
    const double k2 = (flags & 2 ? -size : size) / len2;
    const double u1x = line1.dx * k1, u1y = line1.dy * k1;
    const double u2x = line2.dx * k2, u2y = line2.dy * k2;
    const double cx = o.x + u1x + u2x;
    const double cy = o.y + u1y + u2y;
    StrokeSegment(target, o.x + u1x, o.y + u1y, cx, cy, line1.colour, SolidMask);
    StrokeSegment(target, o.x + u2x, o.y + u2y, cx, cy, line1.colour, SolidMask);
    return 0;
}

std::int32_t MarkRightAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b, std::int32_t flags,
                              double size) {
    if (AnyUndefined(a, v, b)) return UNDEFINED_CODE;
    const PointAngle lines = LinesOf(a, v, b);
    return MarkRightAngle(target, lines.line1, lines.line2, flags, size);
}

std::int32_t MarkAngle(ImageHandle target, const Line& line1, const Line& line2, std::string_view text,
                       const FontView& font, std::int32_t variant, double radius) {
    if (IsUndefined(line1) || IsUndefined(line2)) return UNDEFINED_CODE;
    const AnglePlan plan = PlanAngle(line1, line2, variant);
    return DrawAngleMark(target, line1, line2, plan, text, font, variant, radius);
}

std::int32_t MarkAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b, std::string_view text,
                         const FontView& font, double radius) {
    if (AnyUndefined(a, v, b)) return UNDEFINED_CODE;
    const PointAngle lines = LinesOf(a, v, b);
    return MarkAngle(target, lines.line1, lines.line2, text, font, AngleAsGiven, radius);
}

std::int32_t MarkAndNumberAngle(ImageHandle target, const Line& line1, const Line& line2, std::string_view text,
                                const FontView& font, std::int32_t variant, double radius) {
    if (IsUndefined(line1) || IsUndefined(line2)) return UNDEFINED_CODE;
    const AnglePlan plan = PlanAngle(line1, line2, variant);
    const double degrees = 180.0 * NormalAngle(plan.a2 - plan.a1) / Pi;
    const std::string label = std::string(text) + "=" + FormatWhole(degrees) + DegreeSign;
    return DrawAngleMark(target, line1, line2, plan, label, font, variant, radius);
}

std::int32_t MarkAndNumberAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b,
                                  std::string_view text, const FontView& font, double radius) {
    if (AnyUndefined(a, v, b)) return UNDEFINED_CODE;
    const PointAngle lines = LinesOf(a, v, b);
    return MarkAndNumberAngle(target, lines.line1, lines.line2, text, font, AngleAsGiven, radius);
}

}  // namespace vekora
