// DEFAULTS and TOOLDEFAULTS on the settings: which words change what, and what they keep.
#include <gtest/gtest.h>

#include "interp/settings_statements.h"

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
        std::int32_t background, shapeAndStyle, defaultColour, thickness, sizes;
    };
    const Settings start;
    const Case cases[] = {
        // Only the background: every other word is -1.
        {{-1, 0x00FF00, -1, -1, -1, -1, -1}, 0x00FF00, start.shapeAndStyle, start.defaultColour, 1, start.sizes},
        // A point shape with the style half left open; a thickness with its high half open.
        {{-1, -1, -1, PackHalves(2, 0xFFFF), -1, PackHalves(3, 0xFFFF), -1},
         start.backgroundColour, PackHalves(2, 0xFFFF), start.defaultColour, 3, start.sizes},
        // A dash style with the shape half open; a point size with the construction size open.
        {{-1, -1, -1, PackHalves(0xFFFF, 0x0F0F), 0xFF0000, -1, PackHalves(0xFFFF, 12)},
         start.backgroundColour, PackHalves(0, 0x0F0F), 0xFF0000, 1, PackHalves(0x0A00, 12)},
        // Black is a colour, not "keep".
        {{0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Settings settings;
        RunDefaults(settings, RowOf(0, c.words));
        EXPECT_EQ(settings.backgroundColour, c.background);
        EXPECT_EQ(settings.shapeAndStyle, c.shapeAndStyle);
        EXPECT_EQ(settings.defaultColour, c.defaultColour);
        EXPECT_EQ(settings.thickness, c.thickness);
        EXPECT_EQ(settings.sizes, c.sizes);
        EXPECT_EQ(settings.frameMs, start.frameMs);  // never touched by DEFAULTS
    }
}

// TOOLDEFAULTS without arguments changes nothing; one argument fills the first word only.
TEST(ToolDefaults, ArgumentCountSetsTheFirstInstrumentDefaults) {
    struct Case {
        std::int32_t count;
        int changed;  // instrument defaults 1 to changed take words 1 to changed
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{8, 7}, Case{12, 7}}) {
        Settings settings;
        const Settings start;
        RunToolDefaults(settings, RowOf(c.count, {11, 12, 13, 14, 15, 16, 17}));
        for (int i = 0; i < InstrumentDefaultCount; ++i) {
            EXPECT_EQ(settings.instrument[i], i < c.changed ? 11 + i : start.instrument[i]) << c.count << " " << i;
        }
    }
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
