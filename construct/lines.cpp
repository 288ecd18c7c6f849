// The segment, the line at an angle and the start line.
#include "construct/lines.h"

#include "construct/films.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "draw/points.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

// 90 and 270 degrees in script units (1/256 degree).
constexpr std::int32_t QuarterTurn = 90 * 256;
constexpr std::int32_t ThreeQuarterTurn = 270 * 256;

void DrawSegment(ImageHandle page, const SegmentPlan& plan) { DrawLineP(page, plan.a, plan.b, plan.line); }

void DrawStartLine(ImageHandle page, const SegmentPlan& plan) {
    DrawLineP(page, plan.a, plan.b, plan.line);
    DrawPoint(page, plan.b);
}

void DrawPolar(ImageHandle page, const PolarPlan& plan) {
    DrawLine(page, plan.result);
    if (IsRightScriptAngle(plan.angle)) {
        MarkRightAngle(page, plan.reference, plan.result, 0, RightAngleMarkSize);
    }
}

}  // namespace

bool IsRightScriptAngle(std::int32_t angle) { return angle == QuarterTurn || angle == ThreeQuarterTurn; }

void PaceSegment(Stage& stage, const SegmentPlan& plan) {
    DrawSegment(stage.Canvas(), plan);
    stage.ShowAndPause();
}

void PaceStartLine(Stage& stage, const SegmentPlan& plan) {
    DrawStartLine(stage.Canvas(), plan);
    stage.ShowAndPause();
}

void PacePolar(Stage& stage, const PolarPlan& plan) {
    DrawPolar(stage.Canvas(), plan);
    stage.ShowAndPause();
}

SegmentPlan PlanSegment(const Point& a, const Point& b, const StyleWords& words, const Settings& settings) {
    SegmentPlan plan{a, b, VEK_MAKELINE(a, b, ResolveLook(words, settings))};
    ApplyStyle(plan.line, words, settings);
    return plan;
}

PolarPlan PlanPolar(const Point& p, const Line& reference, std::int32_t angle, const StyleWords& words,
                    const Settings& settings) {
    PolarPlan plan{p, reference, VEK_MAKEANGLE(p, reference, ScriptAngle(angle), ResolveLook(words, settings)), angle};
    ApplyStyle(plan.result, words, settings);
    return plan;
}

Line VEKS_MAKELINE(Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words) {
    stage.input = 0;
    if (IsUndefined(a) || IsUndefined(b)) return UndefinedLine();
    const SegmentPlan plan = PlanSegment(a, b, words, stage.settings());
    ShowConstruction(
        mode, [&] { DrawSegment(stage.Canvas(), plan); }, [&] { PaceSegment(stage, plan); },
        [&] { FilmSegment(stage, plan); });
    return plan.line;
}

Line VEKS_MAKELINEPOLAR(Stage& stage, CallMode mode, const Point& p, const Line& reference, std::int32_t angle,
                        const StyleWords& words) {
    stage.input = 0;
    if (IsUndefined(p) || IsUndefined(reference)) return UndefinedLine();
    const PolarPlan plan = PlanPolar(p, reference, angle, words, stage.settings());
    ShowConstruction(
        mode, [&] { DrawPolar(stage.Canvas(), plan); }, [&] { PacePolar(stage, plan); }, [&] { FilmPolar(stage, plan); });
    return plan.result;
}

Line VEKS_MAKESTARTLINE(Stage& stage, CallMode mode, const Point& p, Point& endOut, std::int32_t angle,
                        std::int32_t length, const StyleWords& words) {
    stage.input = 0;
    if (IsUndefined(p)) return UndefinedLine();
    const Line ray = VEK_MAKELINEPOLAR(p, ScriptAngle(angle), ResolveLook(words, stage.settings()));
    // Through a copy: endOut may be P itself.
    SegmentPlan plan{p, VEK_ADVANCEONLINE(p, ray, ScriptLength(length)), ray};
    plan.line.dx = plan.b.x - plan.a.x;
    plan.line.dy = plan.b.y - plan.a.y;
    ApplyStyle(plan.line, words, stage.settings());
    endOut = plan.b;
    ShowConstruction(
        mode, [&] { DrawStartLine(stage.Canvas(), plan); }, [&] { PaceStartLine(stage, plan); },
        [&] { FilmStartLine(stage, plan); });
    return plan.line;
}

}  // namespace vekora
