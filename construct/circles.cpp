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
void PaceCircle(Stage& stage, const Circle& circle) {
    DrawCircle(stage.Canvas(), circle);
    stage.ShowAndPause();
}

// SLOW: the compasses draw the ring.
void FilmCircle(Stage& stage, const Circle& circle) {
    CompassFilm(stage, circle);
    stage.PauseIfQuiet();
}

// Shows one finished circle or arc by the call's mode (circles, arcs, arcs between lines).
void ShowCircle(Stage& stage, CallMode mode, const Circle& circle) {
    ShowConstruction(
        mode, [&] { DrawCircle(stage.Canvas(), circle); }, [&] { PaceCircle(stage, circle); },
        [&] { FilmCircle(stage, circle); });
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
void PaceCircleTangent(Stage& stage, const CircleTangentPlan& plan) {
    DrawLineP(stage.Canvas(), plan.centre, plan.foot, plan.aid);
    MarkRightAngle(stage.Canvas(), plan.line, plan.perpendicular, 0, RightAngleMarkSize);
    stage.ShowAndPause();
    DrawCircle(stage.Canvas(), plan.circle);
    stage.Show(); stage.PauseIfQuiet();
}

// SLOW: the set square draws the whole perpendicular through the centre, with its mark; the
// compasses follow even when that film was cut short.
void FilmCircleTangent(Stage& stage, const CircleTangentPlan& plan) {
    stage.input = 0;
    if (!IsUndefined(plan.centre) && !IsUndefined(plan.line)) {
        FilmPolar(stage, PlanPolar(plan.centre, plan.line, QuarterTurn,
                                   StyleWords{-1, static_cast<std::int32_t>(plan.aid.colour), plan.circle.thickness},
                                   stage.settings()));
    }
    // A key that stopped the square still reaches the engine, and skips the closing pause.
    const std::int32_t cut = stage.input;
    CompassFilm(stage, plan.circle);
    if (stage.input == 0) stage.input = cut;
    stage.PauseIfQuiet();
}

}  // namespace

Circle VEKS_MAKECIRCLEP(Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                        const ArcAngles& angles) {
    stage.input = 0;
    if (IsUndefined(centre) || IsUndefined(p)) return UndefinedCircle();
    const Circle circle = CircleAbout(centre, VEK_DISTANCE(centre, p), words, angles, stage.settings());
    ShowCircle(stage, mode, circle);
    return circle;
}

Circle VEKS_MAKECIRCLETANGENT(Stage& stage, CallMode mode, const Point& centre, const Line& line,
                              const RingWords& words, const ArcAngles& angles) {
    stage.input = 0;
    if (IsUndefined(centre) || IsUndefined(line)) return UndefinedCircle();
    CircleTangentPlan plan{centre, line, VEK_MAKERIGHTANGLE(centre, line), {}, {}, {}};
    plan.foot = VEK_LINECROSS(line, plan.perpendicular);
    if (IsUndefined(plan.foot)) return UndefinedCircle();
    plan.circle = CircleAbout(centre, VEK_DISTANCE(centre, plan.foot), words, angles, stage.settings());
    const LineLook defaults = ResolveLook(StyleWords{}, stage.settings());
    plan.aid = Line{centre.x, centre.y, plan.foot.x - centre.x, plan.foot.y - centre.y,
                    AidColour(stage.settings(), plan.circle.colour), defaults.style, 1};
    ShowConstruction(
        mode, [&] { DrawCircle(stage.Canvas(), plan.circle); }, [&] { PaceCircleTangent(stage, plan); },
        [&] { FilmCircleTangent(stage, plan); });
    return plan.circle;
}

Circle VEKS_MAKEARC(Stage& stage, CallMode mode, const Point& centre, const Point& p, const RingWords& words,
                    std::int32_t opening) {
    stage.input = 0;
    if (IsUndefined(centre) || IsUndefined(p)) return UndefinedCircle();
    Circle arc = VEK_MAKEARC(centre, p, ScriptAngle(opening));
    ApplyRing(arc, words, stage.settings());
    ShowCircle(stage, mode, arc);
    return arc;
}

Circle VEKS_MAKEARCLINES(Stage& stage, CallMode mode, const Line& line1, const Line& line2, std::int32_t radius,
                         const RingWords& words) {
    stage.input = 0;
    if (IsUndefined(line1) || IsUndefined(line2)) return UndefinedCircle();
    const Point vertex = VEK_LINECROSS(line1, line2);
    if (IsUndefined(vertex)) return UndefinedCircle();
    Circle arc{vertex.x, vertex.y, ScriptLength(radius), VEK_ABSANGLE(line1), VEK_ABSANGLE(line2), 0, 0};
    ApplyRing(arc, words, stage.settings());
    ShowCircle(stage, mode, arc);
    return arc;
}

}  // namespace vekora
