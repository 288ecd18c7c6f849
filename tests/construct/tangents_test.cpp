// The tangents from a point: outside, on and inside the circle, and with undefined inputs.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/construct_support.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

using namespace vekora::testing;

Circle Ring(double x, double y, double r) { return Circle{x, y, r, 0, 0, PointInk, 1}; }

TEST(MakeTangent, FromOutsideTheFirstTouchesOnTheLeftAndTheSecondOnTheRight) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeNoDraw);
    Line second{};
    const Line first = VEKS_MAKETANGENT(call.stage, call.mode, Pt(0, 0), Ring(100, 0, 50), second, {0x00FF, Word(Result), 2}).figure;
    const double h = std::sqrt(50.0 * 50.0 - 25.0 * 25.0);  // 43.30
    EXPECT_EQ(second.x0, 0);
    EXPECT_EQ(second.y0, 0);
    EXPECT_NEAR(second.dx, 75, 1e-9);
    EXPECT_NEAR(second.dy, -h, 1e-9);  // upper on the screen
    EXPECT_NEAR(first.dx, 75, 1e-9);
    EXPECT_NEAR(first.dy, h, 1e-9);
    for (const Line& l : {first, second}) {
        EXPECT_EQ(l.colour, Result);
        EXPECT_EQ(l.style, 0x00FF);
        EXPECT_EQ(l.thickness, 2);
    }
}

TEST(MakeTangent, OnTheCircleTheOneTangentGoesToTheSecondLine) {
    for (const double px : {150.0, 150.4, 149.6}) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeNoDraw);
        Line second{};
        const Line first = VEKS_MAKETANGENT(call.stage, call.mode, Pt(px, 0), Ring(100, 0, 50), second, {-1, Word(Result), 3}).figure;
        EXPECT_TRUE(IsUndefined(first));
        EXPECT_EQ(first.colour, Result);  // carried although undefined
        EXPECT_EQ(first.thickness, 3);
        EXPECT_EQ(second.x0, px);
        EXPECT_EQ(second.y0, 0);
        EXPECT_EQ(second.dx, 0);
        EXPECT_DOUBLE_EQ(second.dy, px - 100);
        EXPECT_EQ(second.colour, Result);
    }
}

TEST(MakeTangent, FromInsideThereIsNoneAndNothingIsDrawn) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    call.input = 77;  // a code from before is not handed back
    Line second{1, 2, 3, 4, 5, 6, 7};
    const Line first = call.Take(VEKS_MAKETANGENT(call.stage, call.mode, Pt(110, 60), Ring(100, 60, 40), second, {-1, Word(Result), 3}));
    EXPECT_TRUE(IsUndefined(first));
    EXPECT_TRUE(IsUndefined(second));
    EXPECT_EQ(second.dx, 3);  // only the base and the look change
    EXPECT_EQ(second.colour, Result);
    EXPECT_EQ(call.input, 0);
    EXPECT_EQ(stage.nowMs(), 0);
    EXPECT_EQ(CountColour(stage.page(), White), 160 * 120);
}

TEST(MakeTangent, UndefinedInputsLeaveTheSecondLinesLookAlone) {
    for (const bool pointUndefined : {true, false}) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeFast);
        Line second{1, 2, 3, 4, 5, 6, 7};
        const Point p = pointUndefined ? UndefinedPoint() : Pt(0, 0);
        const Circle c = pointUndefined ? Ring(100, 0, 50) : UndefinedCircle();
        const Line first = VEKS_MAKETANGENT(call.stage, call.mode, p, c, second, {-1, Word(Result), 3}).figure;
        EXPECT_TRUE(IsUndefined(first));
        EXPECT_EQ(first.colour, 0u);
        EXPECT_TRUE(IsUndefined(second));
        EXPECT_EQ(second.colour, 5u);
        EXPECT_EQ(CountColour(stage.page(), White), 160 * 120);
    }
}

TEST(MakeTangent, PaceShowsTheThalesCircleBeforeTheTangents) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    Line second{};
    VEKS_MAKETANGENT(call.stage, call.mode, Pt(10, 60), Ring(110, 60, 30), second, {-1, Word(Result), 1});
    // The Thales circle over the centre and P: about (60, 60), radius 50.
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 60, 10));
    ASSERT_GE(stage.film().size(), 2u);
    EXPECT_GT(stage.film()[0].aidPixels, 0);
    EXPECT_EQ(stage.film()[0].resultPixels, 0);
    EXPECT_GT(stage.film().back().resultPixels, 0);
}

TEST(MakeTangent, OnTheCirclePaceDrawsTheRadiusAndMarksTheRightAngle) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    Line second{};
    VEKS_MAKETANGENT(call.stage, call.mode, Pt(110, 60), Ring(60, 60, 50), second, {-1, Word(Result), 1});
    EXPECT_EQ(PixelValue(stage.page(), 80, 60), EncodeColour(Aid, 2));  // the radius
    // The mark lies in the corner between the radius and the tangent, inside the circle.
    EXPECT_EQ(PixelValue(stage.page(), 105, 70), EncodeColour(Aid, 2));
    EXPECT_NE(PixelValue(stage.page(), 115, 70), EncodeColour(Aid, 2));
    EXPECT_EQ(PixelValue(stage.page(), 110, 20), EncodeColour(Result, 2));  // the tangent
}

TEST(MakeTangent, AConstructionColourOfMinusOneDrawsTheAidsInTheResultColour) {
    ConstructionStage stage;
    stage.settings.constructionColour = -1;
    StagedCall call = stage.Call(ModePace);
    Line second{};
    VEKS_MAKETANGENT(call.stage, call.mode, Pt(10, 60), Ring(110, 60, 30), second, {-1, Word(Result), 1});
    EXPECT_TRUE(ColourNear(stage.page(), Result, 60, 10));
}

}  // namespace
}  // namespace vekora
