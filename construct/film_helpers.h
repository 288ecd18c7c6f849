// What the construction families share when they show themselves: the short compass arcs of
// their aids, and the pieces of their SLOW films (the film's length, the instruments' flags
// and sizes, the compasses drawing arcs, the ruler drawing a segment). Each family's own film
// lives beside its plan and its PACE stages: construct/lines.cpp, circles.cpp,
// midline_bisector.cpp and tangents.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "anim/frame_loop.h"
#include "anim/set_square.h"
#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The short arc about `centre` through `through`, `opening` radians wide and centred on it,
// in the aid colour with a ring width of 1. Undefined when either point is.
Circle CompassArc(const Point& centre, const Point& through, double opening, std::uint32_t aidColour);

// Animation flags of the films: the instrument shown, a ruler under the segment, and for a
// start line a tick every 10 pixels.
constexpr std::int32_t Tool = ShowTool;
constexpr std::int32_t AlongRuler = ShowTool | ShowRuler;
constexpr std::int32_t AlongTickedRuler = ShowTool | ShowRuler | (10 << 26);

// Every film lasts the step time.
float Duration(const Stage& stage);
// The compasses' legs are as long as the ruler; the protractor is as large as the set square.
double RulerSize(const Settings& s);
double CompassSize(const Settings& s);
double ProtractorSize(const Settings& s);
// The film's flags: the instrument's colour default, or the figure's colour for -1, with the
// bits OR-ed in.
std::int32_t Flags(std::int32_t toolColour, std::uint32_t figureColour, std::int32_t bits);
// The set square and the ruler beside it.
SquareKit KitOf(const Settings& s);

// Each film returns the input code that cut it short, 0 when none did.

// The compasses draw the circle or arc.
std::int32_t CompassFilm(const Stage& stage, const Circle& circle);
// The compasses draw each arc in turn while no input code has come.
std::int32_t FilmArcs(const Stage& stage, const Circle* arcs, std::size_t count, std::int32_t flags);
// The ruler and pencil draw the segment a-b in the words' style, as a SLOW LINE would.
std::int32_t RuleWith(const Stage& stage, const Point& a, const Point& b, const StyleWords& words);
// The ruler draws the segment a-b while `code`, the input code so far, is 0; after one, the
// segment appears at once in `look`. Returns the code then.
std::int32_t RuleSegment(const Stage& stage, std::int32_t code, const Point& a, const Point& b,
                         const StyleWords& words, const Line& look);

}  // namespace vekora
