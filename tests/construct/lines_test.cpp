// The segment, the line at an angle and the start line: their records against the kernel, the
// resolved style words, and the right-angle mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/geom_support.h"
#include "tests/support/construct_support.h"
#include "geom/kernel.h"

namespace vekora {
namespace {

using namespace vekora::testing;

TEST(MakeLine, IsTheSegmentWithTheResolvedStyleWords) {
    struct Case {
        StyleWords words;
        std::uint32_t colour;
        std::int16_t style, thickness;
    };
    const Case cases[] = {
        {{0x00FF, Word(Result), 3}, Result, 0x00FF, 3},
        {{-1, -1, -1}, Default, static_cast<std::int16_t>(0xF0F0), 2},  // from the settings
        {{0x1FFFF, Word(Result), 0x10004}, Result, -1, 4},             // cut to 16 bits
    };
    for (const Case& c : cases) {
        ConstructionStage stage;
        stage.settings.lineStyle = static_cast<std::int16_t>(0xF0F0);
        stage.settings.lineThickness = 2;
        StagedCall call = stage.Call(ModeNoDraw);
        const Line l = VEKS_MAKELINE(call.stage, call.mode, Pt(10, 20), Pt(70, 50), c.words).figure;
        test::ExpectSame(l, Line{10, 20, 60, 30, c.colour, c.style, c.thickness});
    }
}

TEST(MakeLinePolar, IsTheKernelsLineAtTheScriptAngle) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeNoDraw);
    const Line reference = Ln(0, 60, 100, 30);
    for (const std::int32_t angle : {0, 23040, 11520, -23040, 92160, 1}) {
        const Line l = VEKS_MAKELINEPOLAR(call.stage, call.mode, Pt(80, 60), reference, angle, {-1, Word(Result), 2}).figure;
        Line expected = VEK_MAKEANGLE(Pt(80, 60), reference, angle * 6.81769239060285e-05, LineLook{-1, 2});
        expected.colour = Result;
        test::ExpectSame(l, expected);
    }
}

TEST(MakeLinePolar, MarksOnlyTheRightAnglesOfNinetyAndTwoHundredSeventyDegrees) {
    struct Case {
        std::int32_t angle;
        bool marked;
    };
    for (const Case c : {Case{23040, true}, Case{69120, true}, Case{-23040, false}, Case{46080, false},
                         Case{23041, false}}) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeFast);
        // The mark takes the reference line's colour; the reference itself is not drawn.
        VEKS_MAKELINEPOLAR(call.stage, call.mode, Pt(80, 60), Ln(0, 60, 100, 0), c.angle, {-1, Word(Result), 1});
        EXPECT_EQ(CountColour(stage.page(), PointInk) > 0, c.marked) << c.angle;
        EXPECT_GT(CountColour(stage.page(), Result), 100) << c.angle;
    }
}

TEST(MakeStartLine, EndsLengthAwayAtTheAngleAndHandsBackItsEndPoint) {
    struct Case {
        std::int32_t angle;
        double length;
        double endX, endY;
    };
    const Case cases[] = {
        {0, 50, 70, 30},
        {23040, 40, 20, -10},   // up on the screen
        {46080, -30, 50, 30},   // a negative length goes behind P
        {11520, 0, 20, 30},     // length 0: the end is P, the direction (0, 0)
    };
    for (const Case& c : cases) {
        ConstructionStage stage;
        StagedCall call = stage.Call(ModeNoDraw);
        Point end{};
        const Point p{20, 30, PointInk, 7, 3};
        const Line l = VEKS_MAKESTARTLINE(call.stage, call.mode, p, end, c.angle, static_cast<std::int32_t>(c.length * 65536),
                                          {-1, Word(Result), 1}).figure;
        EXPECT_NEAR(end.x, c.endX, 1e-9);
        EXPECT_NEAR(end.y, c.endY, 1e-9);
        EXPECT_EQ(end.colour, PointInk);
        EXPECT_EQ(end.size, 7);
        EXPECT_EQ(end.shape, 3);
        EXPECT_EQ(l.x0, 20);
        EXPECT_EQ(l.y0, 30);
        EXPECT_EQ(l.dx, end.x - 20);
        EXPECT_EQ(l.dy, end.y - 30);
        EXPECT_EQ(l.colour, Result);
    }
}

TEST(MakeStartLine, MayWriteItsEndIntoItsOwnStartPoint) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeFast);
    Point p = Pt(20, 30);
    const Line l = VEKS_MAKESTARTLINE(call.stage, call.mode, p, p, 0, 50 * 65536, {}).figure;
    EXPECT_EQ(p.x, 70);
    EXPECT_EQ(l.x0, 20);
    EXPECT_EQ(l.dx, 50);
}

TEST(MakeStartLine, UndefinedStartLeavesTheEndPointAlone) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModePace);
    Point end = Pt(5, 6);
    const Line l = VEKS_MAKESTARTLINE(call.stage, call.mode, UndefinedPoint(), end, 0, 50 * 65536, {}).figure;
    EXPECT_TRUE(IsUndefined(l));
    EXPECT_EQ(end.x, 5);
    EXPECT_EQ(end.y, 6);
}

TEST(MakeStartLine, DrawsTheSegmentAndItsEndPoint) {
    ConstructionStage stage;
    StagedCall call = stage.Call(ModeFast);
    Point end{};
    VEKS_MAKESTARTLINE(call.stage, call.mode, Point{20, 30, PointInk, 6, 2}, end, 0, 60 * 65536, {-1, Word(Result), 1});
    EXPECT_GE(CountColour(stage.page(), Result), 55);
    EXPECT_GT(CountColour(stage.page(), PointInk), 10);  // the disc at (80, 30)
    EXPECT_TRUE(PixelValue(stage.page(), 80, 30) == EncodeColour(PointInk, 2));
}

// The most pixels of the colour the screen showed at any one time.
std::int32_t MostAidShown(const ConstructionStage& stage) {
    std::int32_t most = 0;
    for (const ScreenState& state : stage.film()) most = std::max(most, state.aidPixels);
    return most;
}

TEST(MakeLine, TheRulerTakesTheTickSpacingOfThePencilDefault) {
    // The pencil default is the base of the film's flags: tick spacing bits set there reach the
    // ruler, drawn here in the aid colour so that its ticks can be counted.
    std::int32_t shown[2] = {};
    for (const std::int32_t ticks : {0, 10}) {
        ConstructionStage stage;
        stage.settings.instruments.pencilColour = Word(Result) | (ticks << 26);
        stage.settings.instruments.rulerColour = Word(Aid);
        StagedCall call = stage.Call(ModeSlow);
        VEKS_MAKELINE(call.stage, call.mode, Pt(20, 60), Pt(140, 60), {-1, Word(Result), 1});
        shown[ticks == 0 ? 0 : 1] = MostAidShown(stage);
    }
    EXPECT_GT(shown[0], 0);
    EXPECT_GT(shown[1], shown[0] + 50);
}

}  // namespace
}  // namespace vekora
