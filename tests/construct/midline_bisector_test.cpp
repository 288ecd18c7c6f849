// The midline and the bisector: their lines, colours, and where their compass arcs cross.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/construct_support.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

using namespace vekora::testing;

TEST(MakeMidline, IsThePerpendicularThroughTheMidpoint) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeNoDraw);
    const Line ml = VEKS_MAKEMIDLINE(call.stage, call.mode, Pt(0, 0), Pt(100, 0), {0x0F0F, Word(Result), 2}).figure;
    EXPECT_EQ(ml.x0, 50);
    EXPECT_EQ(ml.y0, 0);
    EXPECT_EQ(ml.dx, 0);
    EXPECT_EQ(ml.dy, 100);
    EXPECT_EQ(ml.colour, Result);
    EXPECT_EQ(ml.style, 0x0F0F);
    EXPECT_EQ(ml.thickness, 2);
}

TEST(MakeMidline, ArcsAboutBothEndsCrossOnTheMidlineHalfTheSegmentAway) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKEMIDLINE(call.stage, call.mode, Pt(30, 60), Pt(130, 60), {-1, Word(Result), 1});
    // The arcs are ten degrees wide: only the crossings at (80, 10) and (80, 110) are aid-coloured.
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 80, 10));
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 80, 110));
    EXPECT_FALSE(ColourNear(stage.page(), Aid, 80, 60, 20));
    // The mark sits in the corner at the midpoint, in the colour of A.
    EXPECT_TRUE(ColourNear(stage.page(), PointInk, 85, 65, 5));
}

TEST(MakeMidline, OfCoincidentPointsIsTheVerticalThroughThem) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    const Line ml = VEKS_MAKEMIDLINE(call.stage, call.mode, Pt(40, 50), Pt(40, 50), {-1, Word(Result), 1}).figure;
    EXPECT_EQ(ml.x0, 40);
    EXPECT_EQ(ml.dx, 0);
    EXPECT_GT(ml.dy, 0);
    EXPECT_EQ(PixelValue(stage.page(), 40, 100), EncodeColour(Result, 2));
}

TEST(MakeLines, DefaultColourOfTheMidlineIsTheConstructionColour) {
    struct Case {
        std::int32_t constructionColour;
        std::uint32_t midline, bisector;
    };
    // A construction colour of -1 means the colour of the figure itself: for a midline that asks
    // for no colour of its own, the default colour.
    for (const Case c : {Case{0xC0C0C0, 0xC0C0C0, Default}, Case{-1, Default, Default}}) {
        ConstructionStage stage;
        stage.settings.constructionColour = c.constructionColour;
        StagedCall call = stage.Call(ModeNoDraw);
        EXPECT_EQ(VEKS_MAKEMIDLINE(call.stage, call.mode, Pt(0, 0), Pt(100, 0), {}).figure.colour, c.midline);
        EXPECT_EQ(VEKS_MAKEBISECTOR(call.stage, call.mode, Ln(0, 0, 1, 0), Ln(0, 0, 0, -1), {}).figure.colour, c.bisector);
    }
}

TEST(MakeBisector, PointsIntoTheCounterclockwiseAngleFromTheFirstLine) {
    struct Case {
        Line l1, l2;
        double x0, y0, dx, dy;
    };
    const Case cases[] = {
        {Ln(0, 0, 1, 0), Ln(0, 0, 0, -1), 0, 0, 75, -75},   // a quarter turn
        {Ln(0, 0, 0, -1), Ln(0, 0, 1, 0), 0, 0, -75, 75},   // three quarters
        {Ln(0, 0, 1, 0), Ln(0, 0, -1, 0), 0, 0, 0, -1},     // a straight angle: up on the screen
        {Ln(10, 40, 1, 0), Ln(50, 80, -2, 0), 10, 40, 0, -1},  // parallel, opposite: at L1's base
        {Ln(0, 40, 1, 0), Ln(0, 80, 2, 0), 0, 40, 1, 0},    // one direction: L1 itself
    };
    for (const Case& c : cases) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeFast);
        const Line bis = VEKS_MAKEBISECTOR(call.stage, call.mode, c.l1, c.l2, {-1, Word(Result), 1}).figure;
        EXPECT_NEAR(bis.x0, c.x0, 1e-9);
        EXPECT_NEAR(bis.y0, c.y0, 1e-9);
        EXPECT_NEAR(bis.dx, c.dx, 1e-9);
        EXPECT_NEAR(bis.dy, c.dy, 1e-9);
        EXPECT_EQ(bis.colour, Result);
    }
}

TEST(MakeBisector, ArcsMarkTheLinesAndCrossOnTheBisector) {
    ConstructionStage stage({}, 300, 300);
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKEBISECTOR(call.stage, call.mode, Ln(50, 250, 1, 0), Ln(50, 250, 0, -1), {-1, Word(Result), 1});
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 200, 250));  // 150 along the first line
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 50, 100));   // 150 along the second
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 200, 100));  // Q, on the bisector
    EXPECT_TRUE(ColourNear(stage.page(), Result, 125, 175));
}

TEST(MakeBisector, AStraightAngleIsConstructedAsThePerpendicularAtTheBase) {
    ConstructionStage stage({}, 400, 300);
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKEBISECTOR(call.stage, call.mode, Ln(200, 250, 1, 0), Ln(200, 250, -1, 0), {-1, Word(Result), 1});
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 350, 250));
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 50, 250));
    EXPECT_TRUE(ColourNear(stage.page(), Aid, 200, 100));  // the arcs about both cross above
    EXPECT_EQ(PixelValue(stage.page(), 200, 150), EncodeColour(Result, 2));
}

TEST(MakeBisector, LinesOfOneDirectionShowTheLineInOneStage) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKEBISECTOR(call.stage, call.mode, Ln(0, 40, 1, 0), Ln(0, 80, 2, 0), {-1, Word(Result), 1});
    EXPECT_EQ(CountColour(stage.page(), Aid), 0);
    EXPECT_GE(CountColour(stage.page(), Result), 160);
    EXPECT_NEAR(stage.nowMs(), 1000, 50);
}

TEST(MakeBisector, LinesWithoutDirectionGiveNoBisector) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    const Line bis = VEKS_MAKEBISECTOR(call.stage, call.mode, Ln(0, 40, 0, 0), Ln(0, 80, 1, 1), {}).figure;
    EXPECT_TRUE(IsUndefined(bis));
    EXPECT_EQ(stage.nowMs(), 0);
}

}  // namespace
}  // namespace vekora
