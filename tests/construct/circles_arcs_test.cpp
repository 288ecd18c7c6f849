// The circle through a point, the circle touching a line, the arc through a point and the arc
// between two lines: their records and what they draw.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/construct_support.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

using namespace vekora::testing;

constexpr double Degree = 256 * 6.81769239060285e-05;

TEST(MakeCircleP, AnglesAreInRadiansAndAStartOfMinusOneIsAFullCircle) {
    struct Case {
        ArcAngles angles;
        double start, end;
    };
    const Case cases[] = {
        {{-1, 12345}, 0, 0},                          // the end does not matter
        {{0, 23040}, 0, 90 * Degree},
        {{23040, -1}, 90 * Degree, -6.81769239060285e-05},  // the end is taken as given
    };
    for (const Case& c : cases) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeNoDraw);
        const Circle circle = VEKS_MAKECIRCLEP(call.stage, call.mode, Pt(50, 60), Pt(80, 100), {Word(Result), 0x10003}, c.angles).figure;
        EXPECT_EQ(circle.x, 50);
        EXPECT_EQ(circle.y, 60);
        EXPECT_DOUBLE_EQ(circle.r, 50);
        EXPECT_DOUBLE_EQ(circle.start, c.start);
        EXPECT_DOUBLE_EQ(circle.end, c.end);
        EXPECT_EQ(circle.colour, Result);
        EXPECT_EQ(circle.thickness, 0x10003);  // a circle keeps all 32 bits
    }
}

TEST(MakeCircleP, DefaultsComeFromTheSettings) {
    ConstructionStage stage;
    stage.settings.lineThickness = 3;
    StagedCall call = stage.Call(ModeNoDraw);
    const Circle circle = VEKS_MAKECIRCLEP(call.stage, call.mode, Pt(50, 60), Pt(50, 70), {}, {}).figure;
    EXPECT_EQ(circle.colour, Default);
    EXPECT_EQ(circle.thickness, 3);
}

TEST(MakeCircleTangent, ReachesTheFootOfThePerpendicular) {
    struct Case {
        Point centre;
        Line line;
        double r;
    };
    const Case cases[] = {
        {Pt(50, 60), Ln(0, 20, 100, 0), 40},
        {Pt(50, 60), Ln(10, 0, 0, 50), 40},
        {Pt(0, 0), Ln(0, 10, 10, -10), std::sqrt(50.0)},
        {Pt(30, 20), Ln(0, 20, 100, 0), 0},  // the centre on the line
    };
    for (const Case& c : cases) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeNoDraw);
        const Circle circle = VEKS_MAKECIRCLETANGENT(call.stage, call.mode, c.centre, c.line, {Word(Result), 2}, {}).figure;
        EXPECT_EQ(circle.x, c.centre.x);
        EXPECT_EQ(circle.y, c.centre.y);
        EXPECT_NEAR(circle.r, c.r, 1e-9);
        EXPECT_EQ(circle.start, 0.0);
        EXPECT_EQ(circle.end, 0.0);
    }
}

TEST(MakeCircleTangent, PaceDrawsTheRadiusToTheFootInTheAidColourWithItsMark) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKECIRCLETANGENT(call.stage, call.mode, Pt(80, 70), Ln(0, 30, 100, 0), {Word(Result), 1}, {});
    // The radius runs from (80, 70) up to the foot (80, 30), one pixel wide.
    for (int y = 35; y <= 65; y += 10) EXPECT_EQ(PixelValue(stage.page(), 80, y), EncodeColour(Aid, 2)) << y;
    EXPECT_GT(CountColour(stage.page(), PointInk), 0);  // the mark, in the line's colour
    EXPECT_GT(CountColour(stage.page(), Result), 100);
}

TEST(MakeArc, IsTheKernelsArcOfTheScriptOpening) {
    for (const std::int32_t opening : {23040, 2560, -1, 0}) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeNoDraw);
        const Circle arc = VEKS_MAKEARC(call.stage, call.mode, Pt(50, 60), Pt(90, 30), {-1, 4}, opening).figure;
        const Circle kernel = VEK_MAKEARC(Pt(50, 60), Pt(90, 30), opening * 6.81769239060285e-05);
        EXPECT_EQ(arc.x, kernel.x);
        EXPECT_EQ(arc.r, kernel.r);
        EXPECT_EQ(arc.start, kernel.start) << opening;
        EXPECT_EQ(arc.end, kernel.end) << opening;
        EXPECT_EQ(arc.colour, Default);
        EXPECT_EQ(arc.thickness, 4);
    }
}

TEST(MakeArcLines, RunsFromTheFirstLinesDirectionToTheSeconds) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeNoDraw);
    const Line right = Ln(10, 50, 100, 0);
    const Line up = Ln(40, 90, 0, -30);
    const Circle arc = VEKS_MAKEARCLINES(call.stage, call.mode, right, up, 25 * 65536 + 32768, {Word(Result), 1}).figure;
    EXPECT_EQ(arc.x, 40);
    EXPECT_EQ(arc.y, 50);
    EXPECT_EQ(arc.r, 25.5);
    EXPECT_DOUBLE_EQ(arc.start, 0);
    EXPECT_NEAR(arc.end, 3.14159265358979 / 2, 1e-12);
    const Circle swapped = VEKS_MAKEARCLINES(call.stage, call.mode, up, right, 25 * 65536, {}).figure;
    EXPECT_NEAR(swapped.start, 3.14159265358979 / 2, 1e-12);
    EXPECT_DOUBLE_EQ(swapped.end, 0);
}

TEST(MakeArcLines, ParallelLinesMeetInTheFarPoint) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    const Circle arc = VEKS_MAKEARCLINES(call.stage, call.mode, Ln(10, 50, 100, 0), Ln(10, 70, 100, 0), 25 * 65536, {}).figure;
    EXPECT_FALSE(IsUndefined(arc));
    EXPECT_GT(arc.x, 1e279);
    EXPECT_EQ(CountColour(stage.page(), Default), 0);  // nothing of it reaches the page
}

}  // namespace
}  // namespace vekora
