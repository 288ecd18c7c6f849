// The tangents from a point to a circle: plan, PACE stages and SLOW film.
#include "construct/tangents.h"

#include <cmath>

#include "anim/animated_line.h"
#include "anim/set_square.h"
#include "construct/film_helpers.h"
#include "draw/points.h"
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

// What the showings of the tangents share.
struct TangentPlan {
    enum class Kind { None, OnCircle, Outside };
    Kind kind = Kind::None;
    Point p;
    Point centre;
    Circle circle;
    Line radius;      // OnCircle: the centre to P in the aid colour, default style, width 1
    Circle thales;    // Outside: the circle over centre-P, in the aid colour, width 1
    Point middle;     // Outside: its centre, as a point in the settings' default look
    Point touch1;     // Outside: on the right of centre -> P
    Point touch2;     // Outside: on the left
    Line second;      // the tangent at P (OnCircle), or P to touch1
    Line first;       // P to touch2 (Outside), else undefined
    StyleWords words; // as given
    std::uint32_t aidColour = 0;
};

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

// PACE: the radius or the Thales circle; then the tangents (at P with a right-angle mark).
std::int32_t PaceTangents(const Stage& stage, const TangentPlan& plan) {
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        DrawLineP(stage.Canvas(), plan.centre, plan.p, plan.radius);
    } else {
        DrawCircle(stage.Canvas(), plan.thales);
    }
    const std::int32_t code = stage.ShowAndPause();
    DrawTangents(stage.Canvas(), plan);
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        MarkRightAngle(stage.Canvas(), plan.radius, plan.second, MarkTowardsCentre, RightAngleMarkSize);
    }
    stage.Show();
    return stage.PauseIfQuiet(code);
}

// SLOW: on the circle, the ruler draws the radius and the set square the tangent at its end;
// outside it, the ruler draws centre-P, the compasses the arcs about its middle that cross at
// the touching points, and the ruler the tangents.
std::int32_t FilmTangents(const Stage& stage, const TangentPlan& plan) {
    const Settings& s = stage.settings();
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        const std::int32_t flags = Flags(s.instruments.pencilColour, plan.second.colour, AlongRuler);
        std::int32_t code = AnimateLine(stage, plan.centre, plan.p, plan.radius, Duration(stage), RulerSize(s), flags);
        code = stage.PauseIfQuiet(code);
        if (code == 0)
            code = AnimateDrawRightAngle(stage, plan.radius, plan.p, Duration(stage), plan.second, KitOf(s), flags).input;
        DrawLine(stage.Canvas(), plan.second);
        MarkRightAngle(stage.Canvas(), plan.radius, plan.second, MarkTowardsCentre, RightAngleMarkSize);
        stage.Show();
        return stage.PauseIfQuiet(code);
    }
    std::int32_t code =
        RuleWith(stage, plan.centre, plan.p, StyleWords{-1, static_cast<std::int32_t>(plan.first.colour), 1});
    DrawPoint(stage.Canvas(), plan.middle);
    stage.Show();
    code = stage.PauseIfQuiet(code);
    const double opening = ArcOpening(s);
    const Circle arcs[] = {CompassArc(plan.middle, plan.centre, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch1, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch2, opening, plan.aidColour)};
    if (code == 0) code = FilmArcs(stage, arcs, 3, Flags(s.instruments.compassColour, plan.circle.colour, Tool));
    code = stage.PauseIfQuiet(code);
    // The tangents, as segments from P to the touching points.
    code = RuleSegment(stage, code, plan.p, plan.touch1, plan.words, plan.second);
    return RuleSegment(stage, code, plan.p, plan.touch2, plan.words, plan.first);
}

}  // namespace

Shown<Line> VEKS_MAKETANGENT(const Stage& stage, CallMode mode, const Point& p, const Circle& circle, Line& secondOut,
                      const StyleWords& words) {
    secondOut.x0 = UNDEFINED;
    secondOut.y0 = UNDEFINED;
    if (IsUndefined(p) || IsUndefined(circle)) return {UndefinedLine(), 0};
    const TangentPlan plan = PlanTangents(p, circle, words, stage.settings());
    if (plan.kind == TangentPlan::Kind::None) {
        TakeLook(secondOut, plan.second);
        return {plan.first, 0};
    }
    secondOut = plan.second;
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawTangents(stage.Canvas(), plan); }, [&] { return PaceTangents(stage, plan); },
        [&] { return FilmTangents(stage, plan); });
    return {plan.first, input};
}

}  // namespace vekora
