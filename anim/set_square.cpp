// The set square sliding along a ruler: perpendiculars and parallels through a point.
#include "anim/set_square.h"

#include <functional>

#include "anim/animated_line.h"
#include "anim/instrument_strokes.h"
#include "anim/instruments.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// The right-angle film keeps the square this far (pixels) beside the foot at its start, and
// its leg at least this much longer than the point's distance to the line.
constexpr double SquareMargin = 20.0;
// The parallel film's ruler edge stays this far beyond the square's corner.
constexpr double ParallelGap = 3.0;
constexpr double Sqrt2 = 1.4142;
constexpr double HalfSqrt2 = 0.7071;
// The angles of the square's long side against the line, for either side of the line.
constexpr double FarSideHypotenuse = 5.0 * Pi / 4.0;
constexpr double NearSideHypotenuse = 3.0 * Pi / 4.0;

Line Reversed(Line l) {
    l.dx = -l.dx;
    l.dy = -l.dy;
    return l;
}

LineLook LookOf(const Line& l) { return LineLook{l.style, l.thickness}; }

Line WithLook(Line l, const Line& style) {
    l.colour = style.colour;
    l.style = style.style;
    l.thickness = style.thickness;
    return l;
}

// The perpendicular from the point to the line, turned to point from the line towards the
// point's side (`flipped` when the kernel's quarter turn pointed the other way), and its foot.
struct Approach {
    Line perp;
    Point foot;
    bool flipped;
};

Approach ApproachOf(const Line& line, const Point& point) {
    Approach a{VEK_MAKERIGHTANGLE(point, line), Point{}, false};
    a.foot = VEK_LINECROSS(line, a.perp);
    const Point ahead = PointAt(VecOf(point) + Vec{a.perp.dx, a.perp.dy});
    if (VEK_ISBETWEEN(ahead, point, a.foot) != -1) {
        a.perp = Reversed(a.perp);
        a.flipped = true;
    }
    return a;
}

using CornerDrawer = std::function<void(const Point& corner)>;

// The three stages both films share: the square at its start, then the ruler laid against
// it, each shown with a pause; then, unless interrupted, the square slides from `from` to
// `to` along the ruler. The page keeps the last picture.
std::int32_t SlideFilm(const Stage& stage, const SavedPage& saved, float duration, Point from, Point to,
                       const CornerDrawer& square, const std::function<void()>& ruler) {
    const Settings& settings = stage.settings();
    square(from);
    stage.Show();
    std::int32_t code = stage.Wait(settings.animationMs);
    ruler();
    stage.Show();
    code = stage.WaitIfQuiet(code, settings.animationMs);
    if (code != 0) return code;
    const std::int32_t steps = FilmSteps(duration, settings.frameSeconds);
    std::int32_t i = 0;
    Point corner = from;
    const auto frame = [&]() {
        if (++i > steps) return false;
        corner = PointAt(VecOf(from) + (static_cast<double>(i) / steps) * (VecOf(to) - VecOf(from)));
        square(corner);
        ruler();
        return true;
    };
    code = RunFrames(stage, saved, frame);
    // The loop ends on a restored page; the instruments stay where they stopped.
    if (code == 0) {
        square(corner);
        ruler();
        stage.Show();
    }
    return code;
}


// The segment the pencil draws once the square stands: from the foot towards the point, at
// least a leg long; or along the parallel, 0.7071 leg to either side of the point.
struct Segment {
    Point from;
    Point to;
};

Segment PerpendicularSegment(const Line& perp, const Line& line, const Point& point, double size) {
    const Point foot = VEK_LINECROSS(line, perp);
    Point end = point;
    if (VEK_DISTANCE(point, foot) < size) {
        end = VEK_ADVANCETOPOINT(foot, point, size);
        // A point on the line: the segment rises on the side the square stood.
        if (IsUndefined(end)) end = VEK_ADVANCEONLINE(foot, perp, -size);
    }
    return {foot, end};
}

Segment ParallelSegment(const Line& parallel, const Line&, const Point& point, double size) {
    return {VEK_ADVANCEONLINE(point, parallel, -HalfSqrt2 * size), VEK_ADVANCEONLINE(point, parallel, HalfSqrt2 * size)};
}

using SquareFilm = Shown<Line> (*)(const Stage&, const Line&, const Point&, float, SquareKit);
using SegmentOf = Segment (*)(const Line& result, const Line& line, const Point& point, double size);

// A square film, then the pencil draws the segment of its result along the instruments; the
// page is left as it was plus that segment.
Shown<Line> FilmThenPencil(SquareFilm squareFilm, SegmentOf segmentOf, const Stage& stage, const Line& line,
                           const Point& point, float duration, const Line& style, SquareKit kit,
                           std::int32_t flags) {
    if (IsUndefined(point) || LacksDirection(line)) return {UndefinedLine(), 0};
    const SavedPage before(stage.Canvas());
    const Shown<Line> film = squareFilm(stage, line, point, duration, kit);
    const Line result = WithLook(film.figure, style);
    const Segment segment = segmentOf(result, line, point, kit.size);
    std::int32_t code = film.input;
    if (code == 0) code = AnimateLine(stage, segment.from, segment.to, result, duration, kit.size, flags);
    LeaveSegment(stage, before, segment.from, segment.to, result);
    return {result, code};
}

}  // namespace

Shown<Line> AnimateRightAngle(const Stage& stage, const Line& line, const Point& point, float duration, SquareKit kit) {
    if (IsUndefined(point) || LacksDirection(line)) return {UndefinedLine(), 0};
    const SavedPage saved(stage.Canvas());
    const Approach ap = ApproachOf(line, point);
    if (kit.size < VEK_DISTANCE(point, ap.foot) + SquareMargin) kit.size = VEK_DISTANCE(point, ap.foot) + SquareMargin;
    const double theta = ap.flipped ? NearSideHypotenuse : FarSideHypotenuse;
    const double margin = ap.flipped ? -SquareMargin : SquareMargin;
    const Point start = VEK_ADVANCEONLINE(ap.foot, line, margin);
    const Point end = VEK_LINECROSS(VEK_MAKEANGLE(start, line, theta, LookOf(line)), ap.perp);
    const Point rulerFrom = VEK_ADVANCEONLINE(start, line, kit.size);
    const Point rulerTo =
        VEK_ADVANCEONLINE(rulerFrom, VEK_MAKEANGLE(rulerFrom, line, theta, LookOf(line)), (SquareMargin + kit.size) * Sqrt2);
    const auto square = [&](const Point& corner) {
        Line leg = VEK_MAKERIGHTANGLE(corner, line);
        if (ap.flipped) leg = Reversed(leg);
        DrawSquareTool(stage.Canvas(), leg, VEK_MAKEANGLE(corner, line, 0.0, LookOf(line)), 0, kit.size, kit.squareColour);
    };
    const auto ruler = [&]() {
        DrawRulerTool(stage.Canvas(), rulerFrom, rulerTo, ap.flipped ? 0 : 1, kit.rulerWidth, kit.rulerColour, 0);
    };
    const std::int32_t code = SlideFilm(stage, saved, duration, start, end, square, ruler);
    return {VEK_MAKERIGHTANGLE(point, line), code};
}

Shown<Line> AnimateParallel(const Stage& stage, const Line& line, const Point& point, float duration, SquareKit kit) {
    if (IsUndefined(point) || LacksDirection(line)) return {UndefinedLine(), 0};
    const SavedPage saved(stage.Canvas());
    const double reach = ParallelGap + HalfSqrt2 * kit.size;
    const Approach ap = ApproachOf(line, point);
    // Towards the foot; along the turned perpendicular, so that a point on the line still
    // has a way to go.
    const Point end = VEK_ADVANCEONLINE(point, ap.perp, -reach);
    const Point g = VEK_LINECROSS(line, VEK_MAKEANGLE(point, line, NearSideHypotenuse, LookOf(line)));
    Line across = VEK_MAKERIGHTANGLE(g, line);
    if (ap.flipped) across = Reversed(across);
    const Point start = VEK_ADVANCEONLINE(g, across, -reach);
    const Line edge = VEK_MAKELINE(start, end, LookOf(line));
    const auto square = [&](const Point& corner) {
        DrawSquareTool(stage.Canvas(), VEK_MAKERIGHTANGLE(corner, edge), edge, 0, kit.size, kit.squareColour);
    };
    const auto ruler = [&]() { DrawRulerTool(stage.Canvas(), start, end, 1, kit.rulerWidth, kit.rulerColour, 0); };
    const std::int32_t code = SlideFilm(stage, saved, duration, start, end, square, ruler);
    return {VEK_MAKEANGLE(point, line, 0.0, LookOf(line)), code};
}

Shown<Line> AnimateDrawRightAngle(const Stage& stage, const Line& line, const Point& point, float duration,
                                  const Line& style, SquareKit kit, std::int32_t flags) {
    return FilmThenPencil(AnimateRightAngle, PerpendicularSegment, stage, line, point, duration, style, kit, flags);
}

Shown<Line> AnimateDrawParallel(const Stage& stage, const Line& line, const Point& point, float duration,
                                const Line& style, SquareKit kit, std::int32_t flags) {
    return FilmThenPencil(AnimateParallel, ParallelSegment, stage, line, point, duration, style, kit, flags);
}

}  // namespace vekora
