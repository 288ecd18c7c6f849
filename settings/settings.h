// The program-wide settings: the values every run starts from, changed by the script's
// SPEED, FRAMESPEED, DEFAULTS, TOOLDEFAULTS, MENU, SCREEN and WINDOW statements.
//
// Inside the program every setting is a named field of its own type. The statements bring
// some of them in as words that pack two 16-bit halves; interp/settings_statements.cpp
// unpacks those words, and nothing else does.
#pragma once

#include <cstdint>

#include "geom/records.h"

namespace vekora {

// Two settings pack two 16-bit values: the low half and the high half of one word.
constexpr std::int32_t PackHalves(std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) |
                                     (static_cast<std::uint32_t>(low) & 0xFFFFu));
}
constexpr std::int32_t LowHalf(std::int32_t word) { return static_cast<std::int16_t>(word & 0xFFFF); }
constexpr std::int32_t HighHalf(std::int32_t word) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(word) >> 16) & 0xFFFF);
}

// TOOLDEFAULTS sets the instrument defaults from up to seven words, one slot a word.
constexpr int InstrumentDefaultCount = 7;

// The instruments' sizes and colours. The start values are those of the seven TOOLDEFAULTS
// words 0xA000A0, 50, -1, 0xB0B0B0, 0xB0, 0xB0, 0xB0. A colour's whole word reaches the
// films' flags, so flag bits set there (a ruler's tick spacing, say) count as well.
struct InstrumentDefaults {
    std::int16_t rulerSize = 160;             // word 1, low half: the ruler, the compasses' legs, the pencil
    std::int16_t squareSize = 160;            // word 1, high half: the set square and the protractor
    std::int16_t rulerWidth = 50;             // word 2, low half: the ruler's width in pixels
    std::int32_t pencilColour = -1;           // word 3: what the ruler and the set square draw with;
                                              // -1 for the colour of the figure being drawn
    std::int32_t compassColour = 0xB0B0B0;    // word 4; -1 as above
    std::int32_t squareColour = 0xB0;         // word 5: the set square itself
    std::int32_t protractorColour = 0xB0;     // word 6; -1 as above
    std::int32_t rulerColour = 0xB0;          // word 7: the ruler itself, under a segment or beside the square
};

// Colours are 0xRRGGBB. The member initialisers are the start values, so a library
// caller who never calls VEK_INIT still reads them.
struct Settings {
    float frameSeconds = 0.05f;                 // length of one animation frame
    std::int32_t animationMs = 2000;            // right-angle, parallel and protractor animations
    std::int32_t frameMs = 50;                  // frame of INTERACTION and ANIMATION procedures
    std::int32_t stepMs = 2000;                 // pause after a construction step
    std::int32_t backgroundColour = 0xFFFFFF;
    std::int32_t textColour = 0x000000;
    std::int16_t pointShape = 0;                // the default point shape
    std::int16_t lineStyle = -1;                // the default dash mask: 0xFFFF, solid
    std::int32_t defaultColour = 0x010101;
    std::int16_t lineThickness = 1;             // the default line width in pixels
    std::int16_t arcOpening = 0x0A00;           // every short compass arc, in 1/256 degree
    std::int16_t pointSize = 8;                 // the default point size
    InstrumentDefaults instruments;
    std::int32_t constructionColour = 0xC0C0C0;
    std::int16_t originX = 0;                   // where the page's top-left corner is shown
    std::int16_t originY = 0;
    std::int16_t pageWidth = 360;               // the size of the next page
    std::int16_t pageHeight = 640;
    std::int32_t menuBackground = 0xC0C0C0;
    std::int32_t menuText = 0x000000;
    std::int32_t selectedBackground = 0x000080;
    std::int32_t selectedText = 0xFFFFFF;
};

// The look a new line takes from the settings: dash mask and width.
constexpr LineLook DefaultLineLook(const Settings& settings) {
    return LineLook{settings.lineStyle, settings.lineThickness};
}

// The settings of this process. Reset with ResetSettings (what VEK_INIT does).
Settings& ProgramSettings();
void ResetSettings();

}  // namespace vekora
