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

std::int32_t CompassFilm(const Stage& stage, const Circle& circle) {
    const Settings& s = stage.settings();
    return AnimateArc(stage, circle, Duration(stage), CompassSize(s), Flags(s.instruments.compassColour, circle.colour, Tool));
}

std::int32_t FilmArcs(const Stage& stage, const Circle* arcs, std::size_t count, std::int32_t flags) {
    std::int32_t code = 0;
    for (std::size_t i = 0; i < count && code == 0; ++i)
        code = AnimateArc(stage, arcs[i], Duration(stage), CompassSize(stage.settings()), flags);
    return code;
}

std::int32_t RuleWith(const Stage& stage, const Point& a, const Point& b, const StyleWords& words) {
    if (IsUndefined(a) || IsUndefined(b)) return 0;
    return FilmSegment(stage, PlanSegment(a, b, words, stage.settings()));
}

std::int32_t RuleSegment(const Stage& stage, std::int32_t code, const Point& a, const Point& b,
                         const StyleWords& words, const Line& look) {
    if (code == 0) return RuleWith(stage, a, b, words);
    DrawLineP(stage.Canvas(), a, b, look);
    return code;
}

}  // namespace vekora
