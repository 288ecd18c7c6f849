// The settings statements.
#include "interp/statements.h"

#include <algorithm>

namespace vekora {
namespace {

constexpr std::int32_t KeepHalf = 0xFFFF;

void SetWord(std::int32_t& setting, std::int32_t word) {
    if (word != -1) setting = word;
}

// One half of a DEFAULTS word: 0xFFFF keeps the setting (so does a word of -1).
void SetHalf(std::int16_t& setting, std::int32_t half) {
    if (half != KeepHalf) setting = static_cast<std::int16_t>(half);
}
std::int32_t LowBits(std::int32_t word) { return word & 0xFFFF; }
std::int32_t HighBits(std::int32_t word) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(word) >> 16); }

// Instrument default `slot` (1 to 7) from its TOOLDEFAULTS word.
void SetInstrumentDefault(InstrumentDefaults& instruments, std::int32_t slot, std::int32_t word) {
    switch (slot) {
    case 1:
        instruments.rulerSize = static_cast<std::int16_t>(LowHalf(word));
        instruments.squareSize = static_cast<std::int16_t>(HighHalf(word));
        return;
    case 2: instruments.rulerWidth = static_cast<std::int16_t>(LowHalf(word)); return;
    case 3: instruments.pencilColour = word; return;
    case 4: instruments.compassColour = word; return;
    case 5: instruments.squareColour = word; return;
    case 6: instruments.protractorColour = word; return;
    case 7: instruments.rulerColour = word; return;
    default: return;
    }
}

}  // namespace

void RunSpeed(Settings& settings, const StatementRow& row) {
    settings.stepMs = row.w[1];
    settings.animationMs = row.w[1];
}

void RunFrameSpeed(Settings& settings, const StatementRow& row) {
    settings.frameMs = row.w[1];
    settings.frameSeconds = static_cast<float>(row.w[1] / 1000.0);
}

void RunDefaults(Settings& settings, const StatementRow& row) {
    SetWord(settings.constructionColour, row.w[1]);
    SetWord(settings.backgroundColour, row.w[2]);
    SetWord(settings.textColour, row.w[3]);
    SetHalf(settings.pointShape, LowBits(row.w[4]));
    SetHalf(settings.lineStyle, HighBits(row.w[4]));
    SetWord(settings.defaultColour, row.w[5]);
    // The high half of word 6 is read by nothing.
    SetHalf(settings.lineThickness, LowBits(row.w[6]));
    SetHalf(settings.arcOpening, LowBits(row.w[7]));
    SetHalf(settings.pointSize, HighBits(row.w[7]));
}

void RunToolDefaults(Settings& settings, const StatementRow& row) {
    // No arguments: nothing to set. One argument fills only word 1, which is one default.
    if (row.target <= 0) return;
    const std::int32_t n = std::clamp(row.target, 2, InstrumentDefaultCount + 1);
    for (std::int32_t i = 1; i < n; ++i) SetInstrumentDefault(settings.instruments, i, row.w[i]);
}

}  // namespace vekora
