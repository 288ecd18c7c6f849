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

void PaceCircle(ConstructionCall& call, const Circle& circle) {
    DrawCircle(call.page, circle);
    call.ShowAndPause();
}

void ShowCircle(ConstructionCall& call, const Circle& circle) {
    ShowConstruction(
        call, [&] { DrawCircle(call.page, circle); }, [&] { PaceCircle(call, circle); },
        [&] { FilmCircle(call, circle); });
}

void PaceCircleTangent(ConstructionCall& call, const CircleTangentPlan& plan) {
    DrawLineP(call.page, plan.centre, plan.foot, plan.aid);
    MarkRightAngle(call.page, plan.line, plan.perpendicular, 0, RightAngleMarkSize);
    call.ShowAndPause();
    DrawCircle(call.page, plan.circle);
    call.ShowAndPauseIfQuiet();
}

Circle VEKS_MAKECIRCLEP(ConstructionCall& call, const Point& centre, const Point& p, const RingWords& words,
                        const ArcAngles& angles) {
    call.event = 0;
    if (IsUndefined(centre) || IsUndefined(p)) return UndefinedCircle();
    const Circle circle = CircleAbout(centre, VEK_DISTANCE(centre, p), words, angles, call.settings);
    ShowCircle(call, circle);
    return circle;
}

Circle VEKS_MAKECIRCLETANGENT(ConstructionCall& call, const Point& centre, const Line& line,
                              const RingWords& words, const ArcAngles& angles) {
    call.event = 0;
    if (IsUndefined(centre) || IsUndefined(line)) return UndefinedCircle();
    CircleTangentPlan plan{centre, line, VEK_MAKERIGHTANGLE(centre, line), {}, {}, {}};
    plan.foot = VEK_LINECROSS(line, plan.perpendicular);
    if (IsUndefined(plan.foot)) return UndefinedCircle();
    plan.circle = CircleAbout(centre, VEK_DISTANCE(centre, plan.foot), words, angles, call.settings);
    const LineLook defaults = ResolveLook(StyleWords{}, call.settings);
    plan.aid = Line{centre.x, centre.y, plan.foot.x - centre.x, plan.foot.y - centre.y,
                    AidColour(call.settings, plan.circle.colour), defaults.style, 1};
    ShowConstruction(
        call, [&] { DrawCircle(call.page, plan.circle); }, [&] { PaceCircleTangent(call, plan); },
        [&] { FilmCircleTangent(call, plan); });
    return plan.circle;
}

}  // namespace vekora
