// The SLOW showings of the constructions: the films of the instruments, then the result.
// An input code that cuts a film short skips the films and quiet pauses after it, never the
// drawing of the result.
#include "construct/films.h"

#include "anim/animated_arc.h"
#include "anim/animated_line.h"
#include "anim/protractor.h"
#include "anim/set_square.h"
#include "construct/compass_aids.h"
#include "draw/figures.h"
#include "draw/marks.h"
#include "draw/points.h"

namespace vekora {

namespace {

// 0 and 180 degrees in script units (1/256 degree): the parallel, drawn with the set square.
constexpr std::int32_t NoTurn = 0;
constexpr std::int32_t HalfTurn = 180 * 256;
// The script angle of the perpendicular the touching circle is built on.
constexpr std::int32_t QuarterTurn = 90 * 256;
// The right-angle mark of the tangent at P lies along the ray from P back to the centre.
constexpr std::int32_t MarkTowardsCentre = 1;

// Animation flags of the films: the instrument shown, a ruler under the segment, and for a
// start line a tick every 10 pixels.
constexpr std::int32_t Tool = ShowTool;
constexpr std::int32_t AlongRuler = ShowTool | ShowRuler;
constexpr std::int32_t AlongTickedRuler = ShowTool | ShowRuler | (10 << 26);

float Duration(const Stage& stage) { return static_cast<float>(stage.settings().stepMs / 1000.0); }
// The compasses' legs are as long as the ruler; the protractor is as large as the set square.
double RulerSize(const Settings& s) { return s.instruments.rulerSize; }
double CompassSize(const Settings& s) { return s.instruments.rulerSize; }
double ProtractorSize(const Settings& s) { return s.instruments.squareSize; }

// The film's flags: the instrument's colour default, or the figure's colour for -1, with the
// bits OR-ed in.
std::int32_t Flags(std::int32_t toolColour, std::uint32_t figureColour, std::int32_t bits) {
    return (toolColour == -1 ? static_cast<std::int32_t>(figureColour) : toolColour) | bits;
}

SquareKit KitOf(const Settings& s) {
    return SquareKit{static_cast<double>(s.instruments.squareSize), static_cast<double>(s.instruments.rulerWidth),
                     static_cast<std::uint32_t>(s.instruments.squareColour),
                     static_cast<std::uint32_t>(s.instruments.rulerColour)};
}

// The compasses draw the circle or arc; the stage's input gets the code that stopped them.
void CompassFilm(Stage& stage, const Circle& circle) {
    const Settings& s = stage.settings();
    AnimateArc(stage, circle, Duration(stage), CompassSize(s), Flags(s.instruments.compassColour, circle.colour, Tool));
}

// The compasses draw each arc in turn while no input code has come.
void FilmArcs(Stage& stage, const Circle* arcs, std::size_t count, std::int32_t flags) {
    for (std::size_t i = 0; i < count && stage.input == 0; ++i)
        AnimateArc(stage, arcs[i], Duration(stage), CompassSize(stage.settings()), flags);
}

// The ruler and pencil draw the segment a-b in the words' style, as a SLOW LINE would.
void RuleWith(Stage& stage, const Point& a, const Point& b, const StyleWords& words) {
    stage.input = 0;
    if (IsUndefined(a) || IsUndefined(b)) return;
    FilmSegment(stage, PlanSegment(a, b, words, stage.settings()));
}

// The ruler draws the segment a-b while no input code has come; after one, it appears at once.
void RuleSegment(Stage& stage, const Point& a, const Point& b, const StyleWords& words, const Line& look) {
    if (stage.input == 0) {
        RuleWith(stage, a, b, words);
    } else {
        DrawLineP(stage.Canvas(), a, b, look);
    }
}

}  // namespace

void FilmSegment(Stage& stage, const SegmentPlan& plan) {
    const Settings& s = stage.settings();
    AnimateLine(stage, plan.a, plan.b, plan.line, Duration(stage), RulerSize(s),
                Flags(s.instruments.pencilColour, plan.line.colour, AlongRuler));
    stage.PauseIfQuiet();
}

void FilmStartLine(Stage& stage, const SegmentPlan& plan) {
    const Settings& s = stage.settings();
    StartLine(stage, plan.a, plan.b, plan.line, Duration(stage), RulerSize(s),
              Flags(s.instruments.pencilColour, plan.line.colour, AlongTickedRuler));
    stage.PauseIfQuiet();
}

void FilmPolar(Stage& stage, const PolarPlan& plan) {
    const Settings& s = stage.settings();
    if (IsRightScriptAngle(plan.angle)) {
        AnimateDrawRightAngle(stage, plan.reference, plan.p, Duration(stage), plan.result, KitOf(s),
                              Flags(s.instruments.pencilColour, plan.result.colour, Tool));
        DrawLine(stage.Canvas(), plan.result);
        MarkRightAngle(stage.Canvas(), plan.reference, plan.result, 0, RightAngleMarkSize);
    } else if (plan.angle == NoTurn || plan.angle == HalfTurn) {
        AnimateDrawParallel(stage, plan.reference, plan.p, Duration(stage), plan.result, KitOf(s),
                            Flags(s.instruments.pencilColour, plan.result.colour, Tool));
        DrawLine(stage.Canvas(), plan.result);
    } else {
        AnimateProtractor(stage, plan.reference, plan.p, ScriptAngle(plan.angle), Duration(stage), ProtractorSize(s),
                          plan.result, Flags(s.instruments.protractorColour, plan.result.colour, Tool));
        DrawLine(stage.Canvas(), plan.result);
    }
    stage.Show();
    stage.PauseIfQuiet();
}

void FilmCircle(Stage& stage, const Circle& circle) {
    CompassFilm(stage, circle);
    stage.PauseIfQuiet();
}

void FilmCircleTangent(Stage& stage, const CircleTangentPlan& plan) {
    // The set square draws the whole perpendicular through the centre, with its mark; the
    // compasses follow even when that film was cut short.
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

void FilmMidline(Stage& stage, const MidlinePlan& plan) {
    FilmArcs(stage, plan.arcs.data(), plan.arcs.size(), Flags(stage.settings().instruments.compassColour, plan.aidColour, Tool));
    stage.PauseIfQuiet();
    if (stage.input == 0) RuleWith(stage, plan.p1, plan.p2, plan.words);
    MarkRightAngle(stage.Canvas(), plan.ab, plan.midline, 0, RightAngleMarkSize);
    DrawLine(stage.Canvas(), plan.midline);
    stage.Show();
    stage.PauseIfQuiet();
}

void FilmBisector(Stage& stage, const BisectorPlan& plan) {
    // Lines of one direction meet only at the far point: nothing to construct from, so the
    // bisector (the first line itself) is drawn at once.
    if (plan.hasArcs) {
        FilmArcs(stage, plan.arcs.data(), plan.arcs.size(), Flags(stage.settings().instruments.compassColour, plan.aidColour, Tool));
        stage.PauseIfQuiet();
        if (stage.input == 0) RuleWith(stage, plan.vertex, plan.q, plan.words);
    }
    DrawLine(stage.Canvas(), plan.bisector);
    stage.Show();
    stage.PauseIfQuiet();
}

void FilmTangents(Stage& stage, const TangentPlan& plan) {
    const Settings& s = stage.settings();
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        const std::int32_t flags = Flags(s.instruments.pencilColour, plan.second.colour, AlongRuler);
        AnimateLine(stage, plan.centre, plan.p, plan.radius, Duration(stage), RulerSize(s), flags);
        stage.PauseIfQuiet();
        if (stage.input == 0)
            AnimateDrawRightAngle(stage, plan.radius, plan.p, Duration(stage), plan.second, KitOf(s), flags);
        DrawLine(stage.Canvas(), plan.second);
        MarkRightAngle(stage.Canvas(), plan.radius, plan.second, MarkTowardsCentre, RightAngleMarkSize);
        stage.Show();
        stage.PauseIfQuiet();
        return;
    }
    RuleWith(stage, plan.centre, plan.p, StyleWords{-1, static_cast<std::int32_t>(plan.first.colour), 1});
    DrawPoint(stage.Canvas(), plan.middle);
    stage.Show();
    stage.PauseIfQuiet();
    const double opening = ArcOpening(s);
    const Circle arcs[] = {CompassArc(plan.middle, plan.centre, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch1, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch2, opening, plan.aidColour)};
    FilmArcs(stage, arcs, 3, Flags(s.instruments.compassColour, plan.circle.colour, Tool));
    stage.PauseIfQuiet();
    // The tangents, as segments from P to the touching points.
    RuleSegment(stage, plan.p, plan.touch1, plan.words, plan.second);
    RuleSegment(stage, plan.p, plan.touch2, plan.words, plan.first);
}

}  // namespace vekora
