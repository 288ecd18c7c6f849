// The compass arcs of the aids and the film pieces the construction families share.
#include "construct/film_helpers.h"

#include "anim/animated_arc.h"
#include "construct/lines.h"
#include "draw/figures.h"
#include "geom/angles.h"

namespace vekora {

Circle CompassArc(const Point& centre, const Point& through, double opening, std::uint32_t aidColour) {
    Circle arc = VEK_MAKEARC(centre, through, opening);
    if (IsUndefined(arc)) return arc;
    arc.colour = aidColour;
    arc.thickness = 1;
    return arc;
}

float Duration(const Stage& stage) { return static_cast<float>(stage.settings().stepMs / 1000.0); }
double RulerSize(const Settings& s) { return s.instruments.rulerSize; }
double CompassSize(const Settings& s) { return s.instruments.rulerSize; }
double ProtractorSize(const Settings& s) { return s.instruments.squareSize; }

std::int32_t Flags(std::int32_t toolColour, std::uint32_t figureColour, std::int32_t bits) {
    return (toolColour == -1 ? static_cast<std::int32_t>(figureColour) : toolColour) | bits;
}

SquareKit KitOf(const Settings& s) {
    return SquareKit{static_cast<double>(s.instruments.squareSize), static_cast<double>(s.instruments.rulerWidth),
                     static_cast<std::uint32_t>(s.instruments.squareColour),
                     static_cast<std::uint32_t>(s.instruments.rulerColour)};
}

void CompassFilm(Stage& stage, const Circle& circle) {
    const Settings& s = stage.settings();
    AnimateArc(stage, circle, Duration(stage), CompassSize(s), Flags(s.instruments.compassColour, circle.colour, Tool));
}

void FilmArcs(Stage& stage, const Circle* arcs, std::size_t count, std::int32_t flags) {
    for (std::size_t i = 0; i < count && stage.input == 0; ++i)
        AnimateArc(stage, arcs[i], Duration(stage), CompassSize(stage.settings()), flags);
}

void RuleWith(Stage& stage, const Point& a, const Point& b, const StyleWords& words) {
    stage.input = 0;
    if (IsUndefined(a) || IsUndefined(b)) return;
    FilmSegment(stage, PlanSegment(a, b, words, stage.settings()));
}

void RuleSegment(Stage& stage, const Point& a, const Point& b, const StyleWords& words, const Line& look) {
    if (stage.input == 0) {
        RuleWith(stage, a, b, words);
    } else {
        DrawLineP(stage.Canvas(), a, b, look);
    }
}

}  // namespace vekora
