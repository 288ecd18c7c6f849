// The midline of a segment and the bisector of an angle: plans, PACE stages and SLOW films.
#include "construct/midline_bisector.h"

#include <array>
#include <cmath>

#include "construct/film_helpers.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

// How far from the vertex the bisector's first arcs cross the lines, in pixels.
constexpr double BisectorReach = 150.0;
// Turns within this of a half turn (radians) are straight angles.
constexpr double StraightAngleTolerance = 1e-5;

// What the showings of a midline share.
struct MidlinePlan {
    Line ab;                    // A to B, in A's colour (the colour of the right-angle mark)
    Line midline;
    Point p1, p2;               // on the midline, |AB| / 2 either side of the midpoint
    std::array<Circle, 4> arcs; // about A through P1 and P2, about B through P1 and P2
    StyleWords words;           // as given: the film's ruler resolves them itself
    std::uint32_t aidColour;
};

// What the showings of a bisector share.
struct BisectorPlan {
    Point vertex;
    Point q;                    // the point of the bisector where the last two arcs cross
    Line bisector;
    bool hasArcs;               // false when the lines have no vertex to construct from
    std::array<Circle, 4> arcs; // about the vertex across each line, about those points through Q
    StyleWords words;
    std::uint32_t aidColour;
};

void DrawArcs(ImageHandle page, const std::array<Circle, 4>& arcs) {
    for (const Circle& arc : arcs) DrawCircle(page, arc);
}

void DrawMidline(ImageHandle page, const MidlinePlan& plan) {
    DrawLine(page, plan.midline);
    MarkRightAngle(page, plan.ab, plan.midline, 0, RightAngleMarkSize);
}

MidlinePlan PlanMidline(const Point& a, const Point& b, const StyleWords& words, const Settings& settings) {
    MidlinePlan plan{};
    const Point middle = Midpoint(a, b);
    plan.ab = VEK_MAKELINE(a, b, ResolveLook(StyleWords{}, settings));
    plan.midline = VEK_MAKERIGHTANGLE(middle, plan.ab);
    StyleWords own = words;
    if (own.colour == -1) own.colour = settings.constructionColour;
    ApplyStyle(plan.midline, own, settings);
    plan.words = words;
    plan.aidColour = AidColour(settings, plan.midline.colour);
    const double half = VEK_DISTANCE(a, b) / 2;
    plan.p1 = VEK_ADVANCEONLINE(middle, plan.midline, half);
    plan.p2 = VEK_ADVANCEONLINE(middle, plan.midline, -half);
    const double opening = ArcOpening(settings);
    plan.arcs = {CompassArc(a, plan.p1, opening, plan.aidColour), CompassArc(a, plan.p2, opening, plan.aidColour),
                 CompassArc(b, plan.p1, opening, plan.aidColour), CompassArc(b, plan.p2, opening, plan.aidColour)};
    return plan;
}

// The bisector of the turn from line1 to line2, or an undefined line.
Line BisectorOf(const Line& line1, const Line& line2, Point& vertex, const Settings& settings) {
    const double turn = VEK_ANGLE(line1, line2);
    Line bisector;
    if (turn == 0.0) {
        bisector = line1;
    } else if (std::fabs(turn - Pi) < StraightAngleTolerance) {
        vertex = Point{line1.x0, line1.y0, line1.colour, 0, 0};
        bisector = VEK_MAKERIGHTANGLE(vertex, line1);
    } else {
        const Point p1 = VEK_ADVANCEONLINE(vertex, line1, BisectorReach);
        const Point p2 = VEK_ADVANCEONLINE(vertex, line2, BisectorReach);
        bisector = VEK_MAKELINE(vertex, Midpoint(p1, p2), ResolveLook(StyleWords{}, settings));
    }
    if (turn > Pi && !IsUndefined(bisector)) {
        bisector.dx = -bisector.dx;
        bisector.dy = -bisector.dy;
    }
    return bisector;
}

// The arcs: about the vertex across each line at BisectorReach (at a straight angle, across
// line1 both ways: the construction of the perpendicular at its base), then about those two
// points, crossing at Q on the bisector.
void PlanBisectorArcs(BisectorPlan& plan, const Line& line1, const Line& line2, double opening) {
    const bool straight = std::fabs(VEK_ANGLE(line1, line2) - Pi) < StraightAngleTolerance;
    const Point p1 = VEK_ADVANCEONLINE(plan.vertex, line1, BisectorReach);
    const Point p2 = straight ? VEK_ADVANCEONLINE(plan.vertex, line1, -BisectorReach)
                              : VEK_ADVANCEONLINE(plan.vertex, line2, BisectorReach);
    plan.q = VEK_ADVANCEONLINE(Midpoint(p1, p2), plan.bisector, VEK_DISTANCE(p1, p2) / 2);
    plan.arcs = {CompassArc(plan.vertex, p1, opening, plan.aidColour),
                 CompassArc(plan.vertex, p2, opening, plan.aidColour),
                 CompassArc(p1, plan.q, opening, plan.aidColour), CompassArc(p2, plan.q, opening, plan.aidColour)};
}

// PACE: the four arcs; then the result (the midline with its mark).
std::int32_t PaceMidline(const Stage& stage, const MidlinePlan& plan) {
    DrawArcs(stage.Canvas(), plan.arcs);
    const std::int32_t code = stage.ShowAndPause();
    DrawMidline(stage.Canvas(), plan);
    stage.Show();
    return stage.PauseIfQuiet(code);
}

std::int32_t PaceBisector(const Stage& stage, const BisectorPlan& plan) {
    std::int32_t code = 0;
    if (plan.hasArcs) {
        DrawArcs(stage.Canvas(), plan.arcs);
        code = stage.ShowAndPause();
    }
    DrawLine(stage.Canvas(), plan.bisector);
    stage.Show();
    return stage.PauseIfQuiet(code);
}

// SLOW: the compasses draw the four arcs, the ruler the segment between their crossings, then
// the result appears.
std::int32_t FilmMidline(const Stage& stage, const MidlinePlan& plan) {
    std::int32_t code = FilmArcs(stage, plan.arcs.data(), plan.arcs.size(),
                                 Flags(stage.settings().instruments.compassColour, plan.aidColour, Tool));
    code = stage.PauseIfQuiet(code);
    if (code == 0) code = RuleWith(stage, plan.p1, plan.p2, plan.words);
    MarkRightAngle(stage.Canvas(), plan.ab, plan.midline, 0, RightAngleMarkSize);
    DrawLine(stage.Canvas(), plan.midline);
    stage.Show();
    return stage.PauseIfQuiet(code);
}

std::int32_t FilmBisector(const Stage& stage, const BisectorPlan& plan) {
    // Lines of one direction meet only at the far point: nothing to construct from, so the
    // bisector (the first line itself) is drawn at once.
    std::int32_t code = 0;
    if (plan.hasArcs) {
        code = FilmArcs(stage, plan.arcs.data(), plan.arcs.size(),
                        Flags(stage.settings().instruments.compassColour, plan.aidColour, Tool));
        code = stage.PauseIfQuiet(code);
        if (code == 0) code = RuleWith(stage, plan.vertex, plan.q, plan.words);
    }
    DrawLine(stage.Canvas(), plan.bisector);
    stage.Show();
    return stage.PauseIfQuiet(code);
}

}  // namespace

Shown<Line> VEKS_MAKEMIDLINE(const Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words) {
    if (IsUndefined(a) || IsUndefined(b)) return {UndefinedLine(), 0};
    const MidlinePlan plan = PlanMidline(a, b, words, stage.settings());
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawMidline(stage.Canvas(), plan); }, [&] { return PaceMidline(stage, plan); },
        [&] { return FilmMidline(stage, plan); });
    return {plan.midline, input};
}

Shown<Line> VEKS_MAKEBISECTOR(const Stage& stage, CallMode mode, const Line& line1, const Line& line2, const StyleWords& words) {
    if (IsUndefined(line1) || IsUndefined(line2)) return {UndefinedLine(), 0};
    BisectorPlan plan{};
    plan.vertex = VEK_LINECROSS(line1, line2);
    plan.bisector = BisectorOf(line1, line2, plan.vertex, stage.settings());
    if (IsUndefined(plan.bisector)) return {plan.bisector, 0};
    ApplyStyle(plan.bisector, words, stage.settings());
    plan.words = words;
    plan.aidColour = AidColour(stage.settings(), plan.bisector.colour);
    // Lines of one direction have no vertex within reach to construct from.
    plan.hasArcs = VEK_ANGLE(line1, line2) != 0.0;
    if (plan.hasArcs) PlanBisectorArcs(plan, line1, line2, ArcOpening(stage.settings()));
    const std::int32_t input = ShowConstruction(
        mode, [&] { DrawLine(stage.Canvas(), plan.bisector); }, [&] { return PaceBisector(stage, plan); },
        [&] { return FilmBisector(stage, plan); });
    return {plan.bisector, input};
}

}  // namespace vekora
