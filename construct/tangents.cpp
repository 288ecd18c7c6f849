// The tangents from a point to a circle.
#include "construct/tangents.h"

#include <cmath>

#include "construct/compass_aids.h"
#include "construct/films.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

// A point this close to the circle (pixels) is on it: it has one tangent.
constexpr double OnCircleTolerance = 0.5;
// The right-angle mark of the tangent at P lies on the radius's own side: along the ray from P
// back to the centre.
constexpr std::int32_t MarkTowardsCentre = 1;

void DrawTangents(ImageHandle page, const TangentPlan& plan) {
    DrawLine(page, plan.second);
    if (plan.kind == TangentPlan::Kind::Outside) DrawLine(page, plan.first);
}

// Copies the resolved look (colour, dash mask, width) of `look` onto `line`.
void TakeLook(Line& line, const Line& look) {
    line.colour = look.colour;
    line.style = look.style;
    line.thickness = look.thickness;
}

void PlanOnCircle(TangentPlan& plan, const Settings& settings) {
    plan.radius = VEK_MAKELINE(plan.centre, plan.p, ResolveLook(StyleWords{}, settings));
    plan.radius.colour = plan.aidColour;
    plan.radius.thickness = 1;
    const Line look = plan.second;
    plan.second = VEK_MAKERIGHTANGLE(plan.p, plan.radius);
    TakeLook(plan.second, look);
}

// False when the Thales circle does not meet the circle twice.
bool PlanOutside(TangentPlan& plan, double distance, const Settings& settings) {
    plan.middle = Midpoint(plan.p, plan.centre);
    plan.middle.colour = static_cast<std::uint32_t>(settings.defaultColour);
    plan.middle.size = settings.pointSize;
    plan.middle.shape = settings.pointShape;
    plan.thales = Circle{plan.middle.x, plan.middle.y, distance / 2, 0.0, 0.0, plan.aidColour, 1};
    if (VEK_CIRCLECROSS(plan.circle, plan.thales, plan.touch1, plan.touch2) != 2) return false;
    const Line look = plan.second;
    plan.second = VEK_MAKELINE(plan.p, plan.touch1, LineLook{look.style, look.thickness});
    plan.first = VEK_MAKELINE(plan.p, plan.touch2, LineLook{look.style, look.thickness});
    TakeLook(plan.second, look);
    TakeLook(plan.first, look);
    return true;
}

TangentPlan PlanTangents(const Point& p, const Circle& circle, const StyleWords& words, const Settings& settings) {
    TangentPlan plan;
    plan.p = p;
    plan.circle = circle;
    plan.centre = Point{circle.x, circle.y, circle.colour, 0, 0};
    plan.words = words;
    plan.first = UndefinedLine();
    ApplyStyle(plan.first, words, settings);
    plan.second = plan.first;
    plan.aidColour = AidColour(settings, plan.first.colour);
    const double distance = VEK_DISTANCE(plan.centre, p);
    if (std::fabs(distance - circle.r) < OnCircleTolerance) {
        plan.kind = TangentPlan::Kind::OnCircle;
        PlanOnCircle(plan, settings);
    } else if (distance > circle.r && PlanOutside(plan, distance, settings)) {
        plan.kind = TangentPlan::Kind::Outside;
    }
    return plan;
}

}  // namespace

void PaceTangents(Stage& stage, const TangentPlan& plan) {
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        DrawLineP(stage.Canvas(), plan.centre, plan.p, plan.radius);
    } else {
        DrawCircle(stage.Canvas(), plan.thales);
    }
    stage.ShowAndPause();
    DrawTangents(stage.Canvas(), plan);
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        MarkRightAngle(stage.Canvas(), plan.radius, plan.second, MarkTowardsCentre, RightAngleMarkSize);
    }
    stage.Show(); stage.PauseIfQuiet();
}

Line VEKS_MAKETANGENT(Stage& stage, CallMode mode, const Point& p, const Circle& circle, Line& secondOut,
                      const StyleWords& words) {
    stage.input = 0;
    secondOut.x0 = UNDEFINED;
    secondOut.y0 = UNDEFINED;
    if (IsUndefined(p) || IsUndefined(circle)) return UndefinedLine();
    const TangentPlan plan = PlanTangents(p, circle, words, stage.settings());
    if (plan.kind == TangentPlan::Kind::None) {
        TakeLook(secondOut, plan.second);
        return plan.first;
    }
    secondOut = plan.second;
    ShowConstruction(
        mode, [&] { DrawTangents(stage.Canvas(), plan); }, [&] { PaceTangents(stage, plan); },
        [&] { FilmTangents(stage, plan); });
    return plan.first;
}

}  // namespace vekora
