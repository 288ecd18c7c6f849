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

void PaceSegment(ConstructionCall& call, const SegmentPlan& plan) {
    DrawSegment(call.page, plan);
    call.ShowAndPause();
}

void PaceStartLine(ConstructionCall& call, const SegmentPlan& plan) {
    DrawStartLine(call.page, plan);
    call.ShowAndPause();
}

void PacePolar(ConstructionCall& call, const PolarPlan& plan) {
    DrawPolar(call.page, plan);
    call.ShowAndPause();
}

Line VEKS_MAKELINE(ConstructionCall& call, const Point& a, const Point& b, const StyleWords& words) {
    call.event = 0;
    if (IsUndefined(a) || IsUndefined(b)) return UndefinedLine();
    SegmentPlan plan{a, b, VEK_MAKELINE(a, b, ResolveLook(words, call.settings))};
    ApplyStyle(plan.line, words, call.settings);
    ShowConstruction(
        call, [&] { DrawSegment(call.page, plan); }, [&] { PaceSegment(call, plan); },
        [&] { FilmSegment(call, plan); });
    return plan.line;
}

Line VEKS_MAKELINEPOLAR(ConstructionCall& call, const Point& p, const Line& reference, std::int32_t angle,
                        const StyleWords& words) {
    call.event = 0;
    if (IsUndefined(p) || IsUndefined(reference)) return UndefinedLine();
    PolarPlan plan{p, reference, VEK_MAKEANGLE(p, reference, ScriptAngle(angle), ResolveLook(words, call.settings)),
                   angle};
    ApplyStyle(plan.result, words, call.settings);
    ShowConstruction(
        call, [&] { DrawPolar(call.page, plan); }, [&] { PacePolar(call, plan); }, [&] { FilmPolar(call, plan); });
    return plan.result;
}

Line VEKS_MAKESTARTLINE(ConstructionCall& call, const Point& p, Point& endOut, std::int32_t angle,
                        std::int32_t length, const StyleWords& words) {
    call.event = 0;
    if (IsUndefined(p)) return UndefinedLine();
    const Line ray = VEK_MAKELINEPOLAR(p, ScriptAngle(angle), ResolveLook(words, call.settings));
    // Through a copy: endOut may be P itself.
    SegmentPlan plan{p, VEK_ADVANCEONLINE(p, ray, ScriptLength(length)), ray};
    plan.line.dx = plan.b.x - plan.a.x;
    plan.line.dy = plan.b.y - plan.a.y;
    ApplyStyle(plan.line, words, call.settings);
    endOut = plan.b;
    ShowConstruction(
        call, [&] { DrawStartLine(call.page, plan); }, [&] { PaceStartLine(call, plan); },
        [&] { FilmStartLine(call, plan); });
    return plan.line;
}

}  // namespace vekora
