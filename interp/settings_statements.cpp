// The settings statements.
#include "interp/settings_statements.h"

#include <algorithm>

namespace vekora {
namespace {

constexpr std::int32_t KeepHalf = 0xFFFF;

void SetWord(std::int32_t& setting, std::int32_t word) {
    if (word != -1) setting = word;
}

void SetHalves(std::int32_t& setting, std::int32_t word) {
    const std::int32_t low = word & 0xFFFF;
    const std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(word) >> 16);
    setting = PackHalves(low == KeepHalf ? setting & 0xFFFF : low,
                         high == KeepHalf ? static_cast<std::int32_t>(static_cast<std::uint32_t>(setting) >> 16) : high);
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
    SetHalves(settings.shapeAndStyle, row.w[4]);
    SetWord(settings.defaultColour, row.w[5]);
    SetHalves(settings.thickness, row.w[6]);
    SetHalves(settings.sizes, row.w[7]);
}

void RunToolDefaults(Settings& settings, const StatementRow& row) {
    // No arguments: nothing to set. One argument fills only word 1, which is one default.
    if (row.target <= 0) return;
    const std::int32_t n = std::clamp(row.target, 2, InstrumentDefaultCount + 1);
    for (std::int32_t i = 1; i < n; ++i) settings.instrument[i - 1] = row.w[static_cast<std::size_t>(i)];
}

}  // namespace vekora
