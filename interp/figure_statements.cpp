// Line and circle statements through the constructions, copies, and fills.
#include "interp/statements.h"

#include <cmath>

#include "construct/circles.h"
#include "construct/lines.h"
#include "construct/midline_bisector.h"
#include "construct/tangents.h"
#include "draw/fills.h"
#include "geom/kernel.h"
#include "interp/page.h"
#include "interp/screen_text.h"

namespace vekora {
namespace {

constexpr double FixedOne = 65536.0;
// A circle keeps its angles in radians; statements give them in 1/256 degree.
constexpr double RadiansPerAngleUnit = Pi / 46080.0;

Point PointAtXY(double x, double y) { return Point{x / FixedOne, y / FixedOne, 0, 0, 0}; }

StyleWords StyleAt(const StatementRow& row, int first) {
    return StyleWords{row.w[first], row.w[first + 1],
                      row.w[first + 2]};
}

// The figure step: the mode the construction is called with, after the visibility bit.
CallMode FigureMode(RunContext& run, Activation& activation, const StatementRow& row, std::uint8_t bit,
                        bool undefinedBefore) {
    SetVisibility(run, row.target, bit, !row.hidden);
    if (row.hidden || undefinedBefore) return ModeNoDraw;
    EnsureWindow(run, activation);
    // Without a page (one that could not be made) nothing is drawn, not even on the screen.
    return run.page ? activation.mode : ModeNoDraw;
}

Shown<Line> MakeLine(RunContext& run, CallMode mode, const StatementRow& row) {
    const auto point = [&](int word) -> Point& { return run.objects.PointAt(row.w[word]); };
    const auto line = [&](int word) -> const Line& { return run.objects.LineAt(row.w[word]); };
    switch (row.opcode) {
        case OpLineXY:
            return VEKS_MAKELINE(run.stage, mode, PointAtXY(row.w[1], row.w[2]), PointAtXY(row.w[3], row.w[4]), StyleAt(row, 5));
        case OpLinePolarXY: {
            // The horizontal reference line takes the default colour, which the right-angle mark
            // drawn against it uses.
            const LineLook look = DefaultLineLook(run.settings);
            const Line reference{row.w[1] / FixedOne, row.w[2] / FixedOne, 100, 0, static_cast<std::uint32_t>(run.settings.defaultColour),
                                 look.style, look.thickness};
            return VEKS_MAKELINEPOLAR(run.stage, mode, PointAtXY(row.w[1], row.w[2]), reference, row.w[3], StyleAt(row, 4));
        }
        case OpLineThrough: return VEKS_MAKELINE(run.stage, mode, point(1), point(2), StyleAt(row, 3));
        case OpMidline: return VEKS_MAKEMIDLINE(run.stage, mode, point(1), point(2), StyleAt(row, 3));
        case OpBisector: return VEKS_MAKEBISECTOR(run.stage, mode, line(1), line(2), StyleAt(row, 3));
        case OpTangent:
            return VEKS_MAKETANGENT(run.stage, mode, point(2), run.objects.CircleAt(row.w[3]),
                                    run.objects.LineAt(row.w[1]), StyleAt(row, 4));
        case OpLinePolarAt: return VEKS_MAKELINEPOLAR(run.stage, mode, point(1), line(2), row.w[3], StyleAt(row, 4));
        default:  // OpStartLine
            return VEKS_MAKESTARTLINE(run.stage, mode, point(2), point(1), row.w[3], row.w[4], StyleAt(row, 5));
    }
}

std::int32_t AngleUnits(double radians) { return static_cast<std::int32_t>(std::lround(radians / RadiansPerAngleUnit)); }

Shown<Circle> MakeCircle(RunContext& run, CallMode mode, const StatementRow& row) {
    const auto point = [&](int word) -> const Point& { return run.objects.PointAt(row.w[word]); };
    const auto line = [&](int word) -> const Line& { return run.objects.LineAt(row.w[word]); };
    switch (row.opcode) {
        case OpCircleXY: {
            // y + r may not fit a fixed-point word.
            const double throughY = static_cast<double>(row.w[2]) + row.w[3];
            return VEKS_MAKECIRCLEP(run.stage, mode, PointAtXY(row.w[1], row.w[2]), PointAtXY(row.w[1], throughY),
                                    RingWords{row.w[4], row.w[5]}, ArcAngles{row.w[6], row.w[7]});
        }
        case OpMoveCircle: {
            const Circle old = run.objects.CircleAt(row.target);
            const Point& centre = point(1);
            const Point through{centre.x, centre.y + old.r, 0, 0, 0};
            const RingWords ring{row.w[2] == -1 ? static_cast<std::int32_t>(old.colour) : row.w[2], row.w[3] == -1 ? old.thickness : row.w[3]};
            return VEKS_MAKECIRCLEP(run.stage, mode, centre, through, ring, ArcAngles{AngleUnits(old.start), AngleUnits(old.end)});
        }
        case OpCircleThrough:
            return VEKS_MAKECIRCLEP(run.stage, mode, point(1), point(2), RingWords{row.w[3], row.w[4]}, ArcAngles{row.w[5], row.w[6]});
        case OpCircleToLine:
            return VEKS_MAKECIRCLETANGENT(run.stage, mode, point(1), line(2), RingWords{row.w[3], row.w[4]},
                                          ArcAngles{row.w[5], row.w[6]});
        case OpArcPoints: return VEKS_MAKEARC(run.stage, mode, point(1), point(2), RingWords{row.w[4], row.w[5]}, row.w[3]);
        default:  // OpArcLines
            return VEKS_MAKEARCLINES(run.stage, mode, line(1), line(2), row.w[3], RingWords{row.w[4], row.w[5]});
    }
}

// The figure step, then the construction; its result is stored at the target. Returns the
// input code that cut the construction's pauses short.
template <typename Figure, typename Make>
std::int32_t RunFigure(RunContext& run, Activation& activation, const StatementRow& row, std::vector<Figure>& figures,
                       std::uint8_t bit, Make make) {
    Figure& target = figures[static_cast<std::size_t>(row.target)];
    const CallMode mode = FigureMode(run, activation, row, bit, IsUndefined(target));
    const Shown<Figure> made = make(run, mode, row);
    target = made.figure;
    return made.input;
}

}  // namespace

std::int32_t RunLineStatement(RunContext& run, Activation& activation, const StatementRow& row) {
    const std::int32_t input = RunFigure(run, activation, row, run.objects.lines, VisibleLine, MakeLine);
    if (row.opcode == OpStartLine) SetVisibility(run, row.w[1], VisiblePoint, !row.hidden);
    return input;
}

std::int32_t RunCircleStatement(RunContext& run, Activation& activation, const StatementRow& row) {
    return RunFigure(run, activation, row, run.objects.circles, VisibleCircle, MakeCircle);
}

void RunCopyOrOrder(RunContext& run, const StatementRow& row) {
    ObjectLists& o = run.objects;
    const auto t = static_cast<std::size_t>(row.target);
    const auto w1 = static_cast<std::size_t>(row.w[1]);
    switch (row.opcode) {
        case OpCopyPoint: o.points[t] = o.points[w1]; break;
        case OpCopyLine: o.lines[t] = o.lines[w1]; break;
        case OpCopyCircle: o.circles[t] = o.circles[w1]; break;
        case OpRevert:
            o.lines[t].dx = -o.lines[t].dx;
            o.lines[t].dy = -o.lines[t].dy;
            break;
        default: VEK_SETSMALLERANGLE(o.lines[t], o.lines[w1]); break;  // OpOrderLines
    }
}

std::int32_t RunFill(RunContext& run, Activation& activation, const StatementRow& row) {
    EnsureWindow(run, activation);
    if (!run.page) return 0;
    ObjectLists& o = run.objects;
    if (row.opcode == OpFillTriangle) {
        const Point& a = o.PointAt(row.target);
        const std::uint32_t colour = static_cast<std::uint32_t>(row.w[3] == -1 ? a.colour : row.w[3]);
        std::int32_t alpha = row.w[4] & 0xFF;
        FillTriangle(run.page.get(), a, o.PointAt(row.w[1]),
                     o.PointAt(row.w[2]), colour, alpha);
    } else {
        Circle& circle = o.CircleAt(row.target);
        const std::uint32_t colour = static_cast<std::uint32_t>(row.w[1] == -1 ? circle.colour : row.w[1]);
        FillCircle(run.page.get(), circle, colour, row.w[2] & 0xFF);
    }
    if (!ShowsAfterDrawing(activation)) return 0;
    ShowPage(run);
    return activation.mode != ModeFast ? run.stage.Pause() : 0;
}

}  // namespace vekora
