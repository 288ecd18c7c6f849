// The program-wide settings: the values every run starts from, changed by the script's
// SPEED, FRAMESPEED, DEFAULTS, TOOLDEFAULTS, MENU, SCREEN and WINDOW statements.
#pragma once

#include <cstdint>

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

constexpr int InstrumentDefaultCount = 7;

// Colours are 0xRRGGBB. The member initialisers are the start values, so a library
// caller who never calls VEK_INIT still reads them.
struct Settings {
    float frameSeconds = 0.05f;                 // length of one animation frame
    std::int32_t animationMs = 2000;            // right-angle, parallel and protractor animations
    std::int32_t frameMs = 50;                  // frame of INTERACTION and ANIMATION procedures
    std::int32_t stepMs = 2000;                 // pause after a construction step
    std::int32_t backgroundColour = 0xFFFFFF;
    std::int32_t textColour = 0x000000;
    std::int32_t shapeAndStyle = PackHalves(0, 0xFFFF);   // point shape | line style mask << 16
    std::int32_t defaultColour = 0x010101;
    std::int32_t thickness = 1;                           // low half: line thickness
    std::int32_t sizes = PackHalves(0x0A00, 8);           // construction size | point size << 16
    std::int32_t instrument[InstrumentDefaultCount] = {
        0xA000A0, 50, -1 /* the colour of the figure being drawn */, 0xB0B0B0, 0xB0, 0xB0, 0xB0};
    std::int32_t constructionColour = 0xC0C0C0;
    std::int32_t drawingOrigin = 0;                       // x | y << 16
    std::int32_t pageSize = 0x02800168;                   // low half 360, high half 640
    std::int32_t menuBackground = 0xC0C0C0;
    std::int32_t menuText = 0x000000;
    std::int32_t selectedBackground = 0x000080;
    std::int32_t selectedText = 0xFFFFFF;
};

// The settings of this process. Reset with ResetSettings (what VEK_INIT does).
Settings& ProgramSettings();
void ResetSettings();

}  // namespace vekora
