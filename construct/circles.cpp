// The circle through a point, the circle touching a line, the arc through a point and the arc
// between two lines: plans, PACE stages and SLOW films.
#include "construct/circles.h"

#include "construct/film_helpers.h"
#include "construct/lines.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

Circle CircleAbout(const Point& centre, double radius, const RingWords& words, const ArcAngles& angles,
                   const Settings& settings) {
    Circle circle{centre.x, centre.y, radius, 0.0, 0.0, 0, 0};
    if (angles.start != -1) {
        circle.start = ScriptAngle(angles.start);
        circle.end = ScriptAngle(angles.end);
    }
    ApplyRing(circle, words, settings);
    return circle;
}

// PACE: the circle, shown and followed by a pause.
std::int32_t PaceCircle(const Stage& stage, const Circle& circle) {
    DrawCircle(stage.Canvas(), circle);
    return stage.ShowAndPause();
}

// SLOW: the compasses draw the ring.
std::int32_t FilmCircle(const Stage& stage, const Circle& circle) {
    return stage.PauseIfQuiet(CompassFilm(stage, circle));
}

// Shows one finished circle or arc by the call's mode (circles, arcs, arcs between lines);
// returns the input code that cut it short.
std::int32_t ShowCircle(const Stage& stage, CallMode mode, const Circle& circle) {
    return ShowConstruction(
        mode, [&] { DrawCircle(stage.Canvas(), circle); }, [&] { return PaceCircle(stage, circle); },
        [&] { return FilmCircle(stage, circle); });
}

// What the showings of a touching circle share.
struct CircleTangentPlan {
    Point centre;
    Line line;           // the line the circle touches
    Line perpendicular;  // through the centre, in the line's look
    Point foot;          // where the perpendicular meets the line
    Line aid;            // the look of the radius to the foot: aid colour, default style, width 1
    Circle circle;
};

// PACE: the radius to the foot with its right-angle mark, then the circle.
std::int32_t PaceCircleTangent(const Stage& stage, const CircleTangentPlan& plan) {
    DrawLineP(stage.Canvas(), plan.centre, plan.foot, plan.aid);
    MarkRightAngle(stage.Canvas(), plan.line, plan.perpendicular, 0, RightAngleMarkSize);
    const std::int32_t code = stage.ShowAndPause();
    DrawCircle(stage.Canvas(), plan.circle);
    stage.Show();
    return stage.PauseIfQuiet(code);
}

// SLOW: the set square draws the whole perpendicular through the centre, with its mark; the
// compasses follow even when that film was cut short.
std::int32_t FilmCircleTangent(const Stage& stage, const CircleTangentPlan& plan) {
    std::int32_t cut = 0;
    if (!IsUndefined(plan.centre) && !IsUndefined(plan.line)) {
        cut = FilmPolar(stage, PlanPolar(plan.centre, plan.line, QuarterTurn,
                                         StyleWords{-1, static_cast<std::int32_t>(plan.aid.colour), plan.circle.thickness},
                                         stage.settings()));
    }
    // A key that stopped the square still reaches the engine, and skips the closing pause.
    std::int32_t code = CompassFilm(stage, plan.circle);
    if (code == 0) code = cut;
    return stage.PauseIfQuiet(code);
}

}  // namespace

Shown<Circle> VEKS_MAKECIRCLEP(const Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                        const ArcAngles& angles) {
    if (IsUndefined(centre) || IsUndefined(p)) return {UndefinedCircle(), 0};
    const Circle circle = CircleAbout(centre, VEK_DISTANCE(centre, p), words, angles, stage.settings());
    const std::int32_t input = ShowCircle(stage, mode, circle);
    return {circle, input};
}

Shown<Circle> VEKS_MAKECIRCLETANGENT(const Stage& stage, CallMode mode, const Point& centre, const Line& line,
                              const RingWords& words, const ArcAngles& angles) {
    if (IsUndefined(centre) || IsUndefined(line)) return {UndefinedCircle(), 0};
    CircleTangentPlan plan{centre, line, VEK_MAKERIGHTANGLE(centre, line), {}, {}, {}};
    plan.foot = VEK_LINECROSS(line, plan.perpendicular);
    if (IsUndefined(plan.foot)) return {UndefinedCircle(), 0};
    plan.circle = CircleAbout(centre, VEK_DISTANCE(centre, plan.foot), words, angles, stage.settings());
    const LineLook defaults = ResolveLook(StyleWords{}, stage.settings());
    plan.aid = Line{centre.x, centre.y, plan.foot.x - centre.x, plan.foot.y - centre.y,
                    AidColour(stage.settings(), plan.circle.colour), defaults.style, 1};
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawCircle(stage.Canvas(), plan.circle); }, [&] { return PaceCircleTangent(stage, plan); },
        [&] { return FilmCircleTangent(stage, plan); });
    return {plan.circle, input};
}

Shown<Circle> VEKS_MAKEARC(const Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening) {
    if (IsUndefined(centre) || IsUndefined(p)) return {UndefinedCircle(), 0};
    Circle arc = VEK_MAKEARC(centre, p, ScriptAngle(opening));
    ApplyRing(arc, words, stage.settings());
    const std::int32_t input = ShowCircle(stage, mode, arc);
    return {arc, input};
}

Shown<Circle> VEKS_MAKEARCLINES(const Stage& stage, CallMode mode, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words) {
    if (IsUndefined(line1) || IsUndefined(line2)) return {UndefinedCircle(), 0};
    const Point vertex = VEK_LINECROSS(line1, line2);
    if (IsUndefined(vertex)) return {UndefinedCircle(), 0};
    Circle arc{vertex.x, vertex.y, ScriptLength(radius), VEK_ABSANGLE(line1), VEK_ABSANGLE(line2), 0, 0};
    ApplyRing(arc, words, stage.settings());
    const std::int32_t input = ShowCircle(stage, mode, arc);
    return {arc, input};
}

}  // namespace vekora
