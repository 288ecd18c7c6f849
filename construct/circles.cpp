// The circle through a point and the circle touching a line.
#include "construct/circles.h"

#include "construct/films.h"
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

}  // namespace

void PaceCircle(Stage& stage, const Circle& circle) {
    DrawCircle(stage.Canvas(), circle);
    stage.ShowAndPause();
}

void ShowCircle(Stage& stage, CallMode mode, const Circle& circle) {
    ShowConstruction(
        mode, [&] { DrawCircle(stage.Canvas(), circle); }, [&] { PaceCircle(stage, circle); },
        [&] { FilmCircle(stage, circle); });
}

void PaceCircleTangent(Stage& stage, const CircleTangentPlan& plan) {
    DrawLineP(stage.Canvas(), plan.centre, plan.foot, plan.aid);
    MarkRightAngle(stage.Canvas(), plan.line, plan.perpendicular, 0, RightAngleMarkSize);
    stage.ShowAndPause();
    DrawCircle(stage.Canvas(), plan.circle);
    stage.Show(); stage.PauseIfQuiet();
}

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

}  // namespace vekora
