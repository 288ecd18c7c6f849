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

// What the instrument defaults mean (the settings' instrument[0 ... 6] are defaults 1 to 7).
enum Instrument { Sizes = 0, RulerWidth = 1, RulerColour = 2, CompassColour = 3, SquareColour = 4,
                  ProtractorColour = 5, SquareRulerColour = 6 };
// Animation flags of the films: the instrument shown, a ruler under the segment, and for a
// start line a tick every 10 pixels.
constexpr std::int32_t Tool = ShowTool;
constexpr std::int32_t AlongRuler = ShowTool | ShowRuler;
constexpr std::int32_t AlongTickedRuler = ShowTool | ShowRuler | (10 << 26);

FilmPage FilmOf(const ConstructionCall& call) { return FilmPage{call.page, call.originX, call.originY}; }
float Duration(const ConstructionCall& call) { return static_cast<float>(call.settings.stepMs / 1000.0); }
double RulerSize(const Settings& s) { return LowHalf(s.instrument[Sizes]); }
double CompassSize(const Settings& s) { return LowHalf(s.instrument[Sizes]); }
double SquareSize(const Settings& s) { return HighHalf(s.instrument[Sizes]); }
double ProtractorSize(const Settings& s) { return HighHalf(s.instrument[Sizes]); }

// The film's flags: the instrument's default, or the figure's colour for -1, with the bits
// OR-ed in. The default's whole word counts: flag bits set there (a ruler's tick spacing, say)
// reach the film as well.
std::int32_t Flags(const Settings& s, Instrument colourDefault, std::uint32_t figureColour, std::int32_t bits) {
    const std::int32_t colour = s.instrument[colourDefault];
    return (colour == -1 ? static_cast<std::int32_t>(figureColour) : colour) | bits;
}

SquareKit KitOf(const Settings& s) {
    return SquareKit{SquareSize(s), static_cast<double>(LowHalf(s.instrument[RulerWidth])),
                     static_cast<std::uint32_t>(s.instrument[SquareColour]),
                     static_cast<std::uint32_t>(s.instrument[SquareRulerColour])};
}

// The compasses draw the circle or arc; returns the input code that stopped them, or 0.
std::int32_t CompassFilm(const ConstructionCall& call, const Circle& circle) {
    const Settings& s = call.settings;
    return AnimateArc(FilmOf(call), circle, Duration(call), CompassSize(s), Flags(s, CompassColour, circle.colour, Tool),
                      s);
}

// The compasses draw each arc in turn while no input code has come.
void FilmArcs(ConstructionCall& call, const Circle* arcs, std::size_t count, std::int32_t flags) {
    for (std::size_t i = 0; i < count && call.event == 0; ++i)
        call.event = AnimateArc(FilmOf(call), arcs[i], Duration(call), CompassSize(call.settings), flags,
                                call.settings);
}

// The ruler draws the segment a-b while no input code has come; after one, it appears at once.
void RuleSegment(ConstructionCall& call, const Point& a, const Point& b, const StyleWords& words,
                 const Line& look) {
    if (call.event == 0) {
        VEKS_MAKELINE(call, a, b, words);
    } else {
        DrawLineP(call.page, a, b, look);
    }
}

}  // namespace

void FilmSegment(ConstructionCall& call, const SegmentPlan& plan) {
    const Settings& s = call.settings;
    call.event = AnimateLine(FilmOf(call), plan.a, plan.b, plan.line, Duration(call), RulerSize(s),
                             Flags(s, RulerColour, plan.line.colour, AlongRuler), s);
    call.PauseIfQuiet();
}

void FilmStartLine(ConstructionCall& call, const SegmentPlan& plan) {
    const Settings& s = call.settings;
    call.event = StartLine(FilmOf(call), plan.a, plan.b, plan.line, Duration(call), RulerSize(s),
                           Flags(s, RulerColour, plan.line.colour, AlongTickedRuler), s);
    call.PauseIfQuiet();
}

void FilmPolar(ConstructionCall& call, const PolarPlan& plan) {
    const Settings& s = call.settings;
    const FilmPage film = FilmOf(call);
    if (IsRightScriptAngle(plan.angle)) {
        AnimateDrawRightAngle(film, plan.reference, plan.p, Duration(call), plan.result, KitOf(s),
                              Flags(s, RulerColour, plan.result.colour, Tool), call.event, s);
        DrawLine(call.page, plan.result);
        MarkRightAngle(call.page, plan.reference, plan.result, 0, RightAngleMarkSize);
    } else if (plan.angle == NoTurn || plan.angle == HalfTurn) {
        AnimateDrawParallel(film, plan.reference, plan.p, Duration(call), plan.result, KitOf(s),
                            Flags(s, RulerColour, plan.result.colour, Tool), call.event, s);
        DrawLine(call.page, plan.result);
    } else {
        AnimateProtractor(film, plan.reference, plan.p, ScriptAngle(plan.angle), Duration(call), ProtractorSize(s),
                          plan.result, Flags(s, ProtractorColour, plan.result.colour, Tool), call.event, s);
        DrawLine(call.page, plan.result);
    }
    call.Show();
    call.PauseIfQuiet();
}

void FilmCircle(ConstructionCall& call, const Circle& circle) {
    call.event = CompassFilm(call, circle);
    call.PauseIfQuiet();
}

void FilmCircleTangent(ConstructionCall& call, const CircleTangentPlan& plan) {
    // The set square draws the whole perpendicular through the centre, with its mark; the
    // compasses follow even when that film was cut short.
    VEKS_MAKELINEPOLAR(call, plan.centre, plan.line, QuarterTurn,
                       StyleWords{-1, static_cast<std::int32_t>(plan.aid.colour), plan.circle.thickness});
    // A key that stopped the square still reaches the engine, and skips the closing pause.
    const std::int32_t cut = call.event;
    call.event = CompassFilm(call, plan.circle);
    if (call.event == 0) call.event = cut;
    call.PauseIfQuiet();
}

void FilmMidline(ConstructionCall& call, const MidlinePlan& plan) {
    FilmArcs(call, plan.arcs.data(), plan.arcs.size(), Flags(call.settings, CompassColour, plan.aidColour, Tool));
    call.PauseIfQuiet();
    if (call.event == 0) VEKS_MAKELINE(call, plan.p1, plan.p2, plan.words);
    MarkRightAngle(call.page, plan.ab, plan.midline, 0, RightAngleMarkSize);
    DrawLine(call.page, plan.midline);
    call.Show();
    call.PauseIfQuiet();
}

void FilmBisector(ConstructionCall& call, const BisectorPlan& plan) {
    // Lines of one direction meet only at the far point: nothing to construct from, so the
    // bisector (the first line itself) is drawn at once.
    if (plan.hasArcs) {
        FilmArcs(call, plan.arcs.data(), plan.arcs.size(), Flags(call.settings, CompassColour, plan.aidColour, Tool));
        call.PauseIfQuiet();
        if (call.event == 0) VEKS_MAKELINE(call, plan.vertex, plan.q, plan.words);
    }
    DrawLine(call.page, plan.bisector);
    call.Show();
    call.PauseIfQuiet();
}

void FilmTangents(ConstructionCall& call, const TangentPlan& plan) {
    const Settings& s = call.settings;
    if (plan.kind == TangentPlan::Kind::OnCircle) {
        const std::int32_t flags = Flags(s, RulerColour, plan.second.colour, AlongRuler);
        call.event = AnimateLine(FilmOf(call), plan.centre, plan.p, plan.radius, Duration(call), RulerSize(s), flags, s);
        call.PauseIfQuiet();
        if (call.event == 0)
            AnimateDrawRightAngle(FilmOf(call), plan.radius, plan.p, Duration(call), plan.second, KitOf(s), flags,
                                  call.event, s);
        DrawLine(call.page, plan.second);
        MarkRightAngle(call.page, plan.radius, plan.second, MarkTowardsCentre, RightAngleMarkSize);
        call.Show();
        call.PauseIfQuiet();
        return;
    }
    VEKS_MAKELINE(call, plan.centre, plan.p, StyleWords{-1, static_cast<std::int32_t>(plan.first.colour), 1});
    DrawPoint(call.page, plan.middle);
    call.Show();
    call.PauseIfQuiet();
    const double opening = ArcOpening(s);
    const Circle arcs[] = {CompassArc(plan.middle, plan.centre, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch1, opening, plan.aidColour),
                           CompassArc(plan.middle, plan.touch2, opening, plan.aidColour)};
    FilmArcs(call, arcs, 3, Flags(s, CompassColour, plan.circle.colour, Tool));
    call.PauseIfQuiet();
    // The tangents, as segments from P to the touching points.
    RuleSegment(call, plan.p, plan.touch1, plan.words, plan.second);
    RuleSegment(call, plan.p, plan.touch2, plan.words, plan.first);
}

}  // namespace vekora
