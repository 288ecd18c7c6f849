// The style words a construction is given and how they resolve against the program settings
// (-1 in any word means "use the setting"), and the script's numbers in their units.
#pragma once

#include <cstdint>

#include "geom/records.h"
#include "settings/settings.h"

namespace vekora {

// Style, colour and thickness of a new line; -1 each for the settings' defaults.
struct StyleWords {
    std::int32_t style = -1;      // dash mask, low 16 bits
    std::int32_t colour = -1;     // 0xRRGGBB
    std::int32_t thickness = -1;  // width in pixels
};

// Colour and ring width of a new circle or arc; -1 each for the settings' defaults.
struct RingWords {
    std::int32_t colour = -1;
    std::int32_t thickness = -1;
};

// The colour word, or the default colour for -1.
std::uint32_t ResolveColour(std::int32_t colour, const Settings& settings);
// The dash mask and width of a new line: the words cut to 16 bits, or the settings' for -1.
LineLook ResolveLook(const StyleWords& words, const Settings& settings);
// The line's style, colour and thickness from the words.
void ApplyStyle(Line& line, const StyleWords& words, const Settings& settings);
// The circle's colour and ring width from the words (the width keeps all 32 bits).
void ApplyRing(Circle& circle, const RingWords& words, const Settings& settings);

// The colour of construction aids (radii, arcs, auxiliary lines): the construction colour,
// or the colour of the figure being made when that setting is -1.
std::uint32_t AidColour(const Settings& settings, std::uint32_t figureColour);
// The opening of every short compass arc, in radians.
double ArcOpening(const Settings& settings);

// Side of the square that marks a right angle in a construction, in pixels.
constexpr double RightAngleMarkSize = 10.0;

// Turns in script units (1/256 degree).
constexpr std::int32_t NoTurn = 0;
constexpr std::int32_t QuarterTurn = 90 * 256;
constexpr std::int32_t HalfTurn = 180 * 256;
constexpr std::int32_t ThreeQuarterTurn = 270 * 256;

// A script angle (1/256 degree) in radians.
constexpr double ScriptAngle(std::int32_t angle) { return angle * RadiansPerDegreeStep; }
// A script length (16 fraction bits) in pixels.
constexpr double ScriptLength(std::int32_t length) { return length / 65536.0; }

}  // namespace vekora
