// The segment, the line at an angle and the start line: plans, PACE stages and SLOW films.
#include "construct/lines.h"

#include "anim/animated_line.h"
#include "anim/protractor.h"
#include "anim/set_square.h"
#include "construct/film_helpers.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "draw/points.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

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

// PACE: the one stage of each, shown and followed by a pause.
std::int32_t PaceSegment(const Stage& stage, const SegmentPlan& plan) {
    DrawSegment(stage.Canvas(), plan);
    return stage.ShowAndPause();
}

std::int32_t PaceStartLine(const Stage& stage, const SegmentPlan& plan) {
    DrawStartLine(stage.Canvas(), plan);
    return stage.ShowAndPause();
}

std::int32_t PacePolar(const Stage& stage, const PolarPlan& plan) {
    DrawPolar(stage.Canvas(), plan);
    return stage.ShowAndPause();
}

std::int32_t FilmStartLine(const Stage& stage, const SegmentPlan& plan) {
    const Settings& s = stage.settings();
    const std::int32_t code = StartLine(stage, plan.a, plan.b, plan.line, Duration(stage), RulerSize(s),
                                        Flags(s.instruments.pencilColour, plan.line.colour, AlongTickedRuler));
    return stage.PauseIfQuiet(code);
}

}  // namespace

bool IsRightScriptAngle(std::int32_t angle) { return angle == QuarterTurn || angle == ThreeQuarterTurn; }

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

std::int32_t FilmSegment(const Stage& stage, const SegmentPlan& plan) {
    const Settings& s = stage.settings();
    const std::int32_t code = AnimateLine(stage, plan.a, plan.b, plan.line, Duration(stage), RulerSize(s),
                                          Flags(s.instruments.pencilColour, plan.line.colour, AlongRuler));
    return stage.PauseIfQuiet(code);
}

std::int32_t FilmPolar(const Stage& stage, const PolarPlan& plan) {
    const Settings& s = stage.settings();
    std::int32_t code = 0;
    if (IsRightScriptAngle(plan.angle)) {
        code = AnimateDrawRightAngle(stage, plan.reference, plan.p, Duration(stage), plan.result, KitOf(s),
                              Flags(s.instruments.pencilColour, plan.result.colour, Tool)).input;
        DrawLine(stage.Canvas(), plan.result);
        MarkRightAngle(stage.Canvas(), plan.reference, plan.result, 0, RightAngleMarkSize);
    } else if (plan.angle == NoTurn || plan.angle == HalfTurn) {
        code = AnimateDrawParallel(stage, plan.reference, plan.p, Duration(stage), plan.result, KitOf(s),
                                   Flags(s.instruments.pencilColour, plan.result.colour, Tool)).input;
        DrawLine(stage.Canvas(), plan.result);
    } else {
        code = AnimateProtractor(stage, plan.reference, plan.p, ScriptAngle(plan.angle), Duration(stage),
                                 ProtractorSize(s), plan.result,
                                 Flags(s.instruments.protractorColour, plan.result.colour, Tool)).input;
        DrawLine(stage.Canvas(), plan.result);
    }
    stage.Show();
    return stage.PauseIfQuiet(code);
}

Shown<Line> VEKS_MAKELINE(const Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words) {
    if (IsUndefined(a) || IsUndefined(b)) return {UndefinedLine(), 0};
    const SegmentPlan plan = PlanSegment(a, b, words, stage.settings());
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawSegment(stage.Canvas(), plan); }, [&] { return PaceSegment(stage, plan); },
        [&] { return FilmSegment(stage, plan); });
    return {plan.line, input};
}

Shown<Line> VEKS_MAKELINEPOLAR(const Stage& stage, CallMode mode, const Point& p, const Line& reference, std::int32_t angle,
                        const StyleWords& words) {
    if (IsUndefined(p) || IsUndefined(reference)) return {UndefinedLine(), 0};
    const PolarPlan plan = PlanPolar(p, reference, angle, words, stage.settings());
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawPolar(stage.Canvas(), plan); }, [&] { return PacePolar(stage, plan); }, [&] { return FilmPolar(stage, plan); });
    return {plan.result, input};
}

Shown<Line> VEKS_MAKESTARTLINE(const Stage& stage, CallMode mode, const Point& p, Point& endOut, std::int32_t angle,
                        std::int32_t length, const StyleWords& words) {
    if (IsUndefined(p)) return {UndefinedLine(), 0};
    const Line ray = VEK_MAKELINEPOLAR(p, ScriptAngle(angle), ResolveLook(words, stage.settings()));
    // Through a copy: endOut may be P itself.
    SegmentPlan plan{p, VEK_ADVANCEONLINE(p, ray, ScriptLength(length)), ray};
    plan.line.dx = plan.b.x - plan.a.x;
    plan.line.dy = plan.b.y - plan.a.y;
    ApplyStyle(plan.line, words, stage.settings());
    endOut = plan.b;
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawStartLine(stage.Canvas(), plan); }, [&] { return PaceStartLine(stage, plan); },
        [&] { return FilmStartLine(stage, plan); });
    return {plan.line, input};
}

}  // namespace vekora
