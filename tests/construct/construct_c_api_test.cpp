// The constructions through the C interface: pointers in, the program settings read, nulls
// read as the header says.
#include <gtest/gtest.h>

#include "platform/active_device.h"
#include "tests/support/construct_support.h"
#include "platform/input.h"
#include "vekora.h"

namespace vekora {
namespace {

using namespace vekora::testing;

class ConstructCApi : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        ProgramSettings().defaultColour = Word(Default);
        ProgramSettings().constructionColour = Word(Aid);
        ProgramSettings().stepMs = 300;
    }
    void TearDown() override { ResetSettings(); }
};

TEST_F(ConstructCApi, NullStyleWordsTakeTheSettingsAndANullModeIsFast) {
    ConstructionStage stage;
    VekImage page = stage.page();
    const Point a = Pt(10, 20), b = Pt(110, 20);
    const Line l = ::VEKS_MAKELINE(&page, nullptr, nullptr, &a, &b, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(l.colour, Default);
    EXPECT_EQ(l.style, -1);
    EXPECT_EQ(l.thickness, 1);
    EXPECT_EQ(l.dx, 100);
    EXPECT_GE(CountColour(stage.page(), Default), 100);
    EXPECT_EQ(stage.nowMs(), 0);
}

TEST_F(ConstructCApi, PaceShowsAtTheOriginAndReportsTheInputThatCutItShort) {
    ConstructionStage stage({{100, InputEvent::Kind::Key, "q"}});
    VekImage page = stage.page();
    const Point a = Pt(20, 40), b = Pt(120, 40);
    const std::int32_t originX = 4, originY = 2, mode = 1, colour = Word(Result);
    std::int32_t event = -7;
    const Line ml = ::VEKS_MAKEMIDLINE(&page, &originX, &originY, &a, &b, nullptr, &colour, nullptr, &mode, &event);
    EXPECT_EQ(ml.x0, 70);
    EXPECT_EQ(event, KeyCodeBit | 'q');
    EXPECT_LT(stage.nowMs(), 150);
    // The midline through (70, 40) shows at (74, 42) on the screen.
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 74, 12), EncodeColour(Result, 2));
}

TEST_F(ConstructCApi, NullRecordsAreUndefinedAndNullOutputsAreDiscarded) {
    ConstructionStage stage;
    VekImage page = stage.page();
    const std::int32_t mode = 1;
    std::int32_t event = 3;
    const Point p = Pt(0, 0);
    const Circle c{100, 0, 50, 0, 0, PointInk, 1};
    EXPECT_TRUE(IsUndefined(::VEKS_MAKEBISECTOR(&page, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                &mode, &event)));
    EXPECT_EQ(event, 0);
    const Line first = ::VEKS_MAKETANGENT(&page, nullptr, nullptr, &p, &c, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr);
    EXPECT_NEAR(first.dx, 75, 1e-9);
    EXPECT_TRUE(IsUndefined(::VEKS_MAKESTARTLINE(&page, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr)));
    const Line l = ::VEKS_MAKESTARTLINE(&page, nullptr, nullptr, &p, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
    EXPECT_EQ(l.dx, 0);  // a null length is 0
    EXPECT_EQ(stage.nowMs(), 0);
}

TEST_F(ConstructCApi, CirclesTakeTheirAnglesAndRingWords) {
    ConstructionStage stage;
    const Point centre = Pt(50, 50), p = Pt(50, 80);
    const std::int32_t start = 0, end = 90 * 256, thickness = 3, noDraw = 4;
    const Circle full = ::VEKS_MAKECIRCLEP(nullptr, nullptr, nullptr, &centre, &p, nullptr, nullptr, nullptr, &end,
                                           &noDraw, nullptr);
    EXPECT_EQ(full.r, 30);
    EXPECT_EQ(full.start, 0);
    EXPECT_EQ(full.end, 0);
    EXPECT_EQ(full.colour, Default);
    const Circle arc = ::VEKS_MAKECIRCLEP(nullptr, nullptr, nullptr, &centre, &p, nullptr, &thickness, &start, &end,
                                          &noDraw, nullptr);
    EXPECT_NEAR(arc.end, 3.14159265358979 / 2, 1e-12);
    EXPECT_EQ(arc.thickness, 3);
    const Line l1 = Ln(0, 50, 1, 0), l2 = Ln(50, 0, 0, 1);
    const std::int32_t radius = 20 * 65536;
    const Circle between = ::VEKS_MAKEARCLINES(nullptr, nullptr, nullptr, &l1, &l2, &radius, nullptr, nullptr,
                                               &noDraw, nullptr);
    EXPECT_EQ(between.x, 50);
    EXPECT_EQ(between.r, 20);
    const Circle touching = ::VEKS_MAKECIRCLETANGENT(nullptr, nullptr, nullptr, &centre, &l1, nullptr, nullptr,
                                                     nullptr, nullptr, &noDraw, nullptr);
    EXPECT_EQ(touching.r, 0);
    EXPECT_EQ(CountColour(TargetOrScreen(nullptr), Default), 0);
}

}  // namespace
}  // namespace vekora
