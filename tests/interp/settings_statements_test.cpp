// DEFAULTS and TOOLDEFAULTS on the settings: which words change what, and what they keep.
#include <gtest/gtest.h>

#include "interp/statements.h"

namespace vekora {
namespace {

StatementRow RowOf(std::int32_t target, std::array<std::int32_t, 7> words) {
    StatementRow row;
    row.target = target;
    for (std::size_t i = 0; i < words.size(); ++i) row.w[i + 1] = words[i];
    return row;
}

TEST(Defaults, MinusOneAndFfffHalvesKeepTheirSetting) {
    struct Case {
        std::array<std::int32_t, 7> words;
        std::int32_t background, pointShape, lineStyle, defaultColour, thickness, arcOpening, pointSize;
    };
    const Settings start;
    const Case cases[] = {
        // Only the background: every other word is -1.
        {{-1, 0x00FF00, -1, -1, -1, -1, -1}, 0x00FF00, start.pointShape, start.lineStyle, start.defaultColour, 1,
         start.arcOpening, start.pointSize},
        // A point shape with the style half left open; a thickness with its high half open.
        {{-1, -1, -1, PackHalves(2, 0xFFFF), -1, PackHalves(3, 0xFFFF), -1},
         start.backgroundColour, 2, start.lineStyle, start.defaultColour, 3, start.arcOpening, start.pointSize},
        // A dash style with the shape half open; a point size with the arc opening open.
        {{-1, -1, -1, PackHalves(0xFFFF, 0x0F0F), 0xFF0000, -1, PackHalves(0xFFFF, 12)},
         start.backgroundColour, 0, 0x0F0F, 0xFF0000, 1, 0x0A00, 12},
        // Black is a colour, not "keep".
        {{0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Settings settings;
        RunDefaults(settings, RowOf(0, c.words));
        EXPECT_EQ(settings.backgroundColour, c.background);
        EXPECT_EQ(settings.pointShape, c.pointShape);
        EXPECT_EQ(settings.lineStyle, c.lineStyle);
        EXPECT_EQ(settings.defaultColour, c.defaultColour);
        EXPECT_EQ(settings.lineThickness, c.thickness);
        EXPECT_EQ(settings.arcOpening, c.arcOpening);
        EXPECT_EQ(settings.pointSize, c.pointSize);
        EXPECT_EQ(settings.frameMs, start.frameMs);  // never touched by DEFAULTS
    }
}

// New lines take their dash mask from the high half of word 4 and their width from the low
// half of word 6.
TEST(Defaults, NewLinesLookAsTheWordsSay) {
    Settings settings;
    RunDefaults(settings, RowOf(0, {-1, -1, -1, PackHalves(7, 0x0F0F), -1, PackHalves(3, 9), -1}));
    const LineLook dashed = DefaultLineLook(settings);
    EXPECT_EQ(dashed.style, 0x0F0F);
    EXPECT_EQ(dashed.thickness, 3);
}

// TOOLDEFAULTS without arguments changes nothing; one argument fills the first word only.
TEST(ToolDefaults, ArgumentCountSetsTheFirstInstrumentDefaults) {
    // Each instrument default, the word it comes from, and what word 11 + (slot - 1) makes of it.
    struct Slot {
        int slot;
        std::int32_t (*read)(const InstrumentDefaults&);
        std::int32_t fromWord;
    };
    const Slot slots[] = {
        {1, [](const InstrumentDefaults& d) -> std::int32_t { return d.rulerSize; }, 11},
        {1, [](const InstrumentDefaults& d) -> std::int32_t { return d.squareSize; }, 0},  // the high half of 11
        {2, [](const InstrumentDefaults& d) -> std::int32_t { return d.rulerWidth; }, 12},
        {3, [](const InstrumentDefaults& d) { return d.pencilColour; }, 13},
        {4, [](const InstrumentDefaults& d) { return d.compassColour; }, 14},
        {5, [](const InstrumentDefaults& d) { return d.squareColour; }, 15},
        {6, [](const InstrumentDefaults& d) { return d.protractorColour; }, 16},
        {7, [](const InstrumentDefaults& d) { return d.rulerColour; }, 17},
    };
    struct Case {
        std::int32_t count;
        int changed;  // instrument defaults 1 to changed take words 1 to changed
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{8, 7}, Case{12, 7}}) {
        Settings settings;
        const Settings start;
        RunToolDefaults(settings, RowOf(c.count, {11, 12, 13, 14, 15, 16, 17}));
        for (const Slot& s : slots) {
            EXPECT_EQ(s.read(settings.instruments), s.slot <= c.changed ? s.fromWord : s.read(start.instruments))
                << c.count << " " << s.slot;
        }
    }
}

// Word 1 packs the two instrument sizes.
TEST(ToolDefaults, FirstWordHoldsBothSizes) {
    Settings settings;
    RunToolDefaults(settings, RowOf(2, {PackHalves(100, 200), 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(settings.instruments.rulerSize, 100);
    EXPECT_EQ(settings.instruments.squareSize, 200);
}

TEST(Speed, StepAndAnimationTimeOrFrameTime) {
    Settings settings;
    RunSpeed(settings, RowOf(0, {500, 0, 0, 0, 0, 0, 0}));
    RunFrameSpeed(settings, RowOf(0, {40, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(settings.stepMs, 500);
    EXPECT_EQ(settings.animationMs, 500);
    EXPECT_EQ(settings.frameMs, 40);
    EXPECT_FLOAT_EQ(settings.frameSeconds, 0.04f);
}

}  // namespace
}  // namespace vekora
