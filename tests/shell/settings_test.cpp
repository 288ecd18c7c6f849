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
    EXPECT_EQ(settings.pointShape, 0);
    EXPECT_EQ(settings.lineStyle & 0xFFFF, 0xFFFF);
    EXPECT_EQ(settings.arcOpening, 0x0A00);
    EXPECT_EQ(settings.pointSize, 8);
    EXPECT_EQ(settings.instruments.pencilColour, -1);
    EXPECT_EQ(settings.pageWidth, 0x0168);
    EXPECT_EQ(settings.pageHeight, 0x0280);
}

TEST(Settings, InitResetsEveryChangedSetting) {
    Settings& settings = ProgramSettings();
    settings.stepMs = 10;
    settings.frameSeconds = 1.0f;
    settings.instruments.rulerColour = 7;
    settings.selectedText = 0x123456;
    EXPECT_EQ(VEK_INIT(), 0);
    EXPECT_EQ(VEK_INIT(), 0);
    EXPECT_EQ(settings.stepMs, 2000);
    EXPECT_FLOAT_EQ(settings.frameSeconds, 0.05f);
    EXPECT_EQ(settings.instruments.rulerColour, 0xB0);
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
