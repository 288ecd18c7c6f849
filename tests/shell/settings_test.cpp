// The program settings: start values before any call, and VEK_INIT putting them back.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "vekora.h"

namespace vekora {
namespace {

TEST(Settings, StartValuesHoldBeforeAnyInit) {
    const Settings& settings = ProgramSettings();
    EXPECT_FLOAT_EQ(settings.frameSeconds, 0.05f);
    EXPECT_EQ(settings.stepMs, 2000);
    EXPECT_EQ(LowHalf(settings.shapeAndStyle), 0);
    EXPECT_EQ(HighHalf(settings.shapeAndStyle) & 0xFFFF, 0xFFFF);
    EXPECT_EQ(LowHalf(settings.sizes), 0x0A00);
    EXPECT_EQ(HighHalf(settings.sizes), 8);
    EXPECT_EQ(settings.instrument[2], -1);
    EXPECT_EQ(settings.pageSize, 0x02800168);
}

TEST(Settings, InitResetsEveryChangedSetting) {
    Settings& settings = ProgramSettings();
    settings.stepMs = 10;
    settings.frameSeconds = 1.0f;
    settings.instrument[6] = 7;
    settings.selectedText = 0x123456;
    EXPECT_EQ(VEK_INIT(), 0);
    EXPECT_EQ(VEK_INIT(), 0);
    EXPECT_EQ(settings.stepMs, 2000);
    EXPECT_FLOAT_EQ(settings.frameSeconds, 0.05f);
    EXPECT_EQ(settings.instrument[6], 0xB0);
    EXPECT_EQ(settings.selectedText, 0xFFFFFF);
}

TEST(Settings, HalvesPackAndUnpack) {
    struct Case { std::int32_t low, high; };
    for (const Case c : {Case{0, 0}, Case{360, 640}, Case{-1, 5}, Case{0x7FFF, -0x8000}}) {
        const std::int32_t word = PackHalves(c.low, c.high);
        EXPECT_EQ(LowHalf(word), c.low);
        EXPECT_EQ(HighHalf(word), c.high);
    }
}

}  // namespace
}  // namespace vekora
