// ANIMATION procedures: the declarations collected at entry, one frame of every kind of
// STEP, and whole scripts on the headless device whose frames follow the virtual clock,
// leave their traces and answer the control bar.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geom/kernel.h"
#include "interp/engine.h"
#include "interp/prologues.h"
#include "script/passes.h"
#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;

// Point 0 at (100, 100), line 0 the diagonal y = x, circle 0 centre (300, 300) radius 100,
// circle 1 centre (50, 60) radius 12. No page: circles are made again without drawing.
class StepTest : public ::testing::Test {
protected:
    StepTest() : run(table, symbols, settings, nullptr) {
        MakeObjectLists(run, 1, 1, 2);
        run.objects.points[0] = Point{100, 100, 0xFF0000, 3, 0};
        run.objects.lines[0] = Line{0, 0, 3, 3, 0, -1, 1};
        run.objects.circles[0] = Circle{300, 300, 100, 0, 0, 0, 1};
        run.objects.circles[1] = Circle{50, 60, 12, 0, 0, 0x00FF00, 2};
    }
    Point& P() { return run.objects.points[0]; }
    Circle& Ring() { return run.objects.circles[1]; }

    InstructionTable table;
    SymbolTable symbols;
    Settings settings;
    RunContext run;
    Activation act;
};

TEST_F(StepTest, AFreeStepMovesByDxDyAndKeepsTheStyle) {
    StepEntry step{0 | SteppedPoint, 0, 2.5, -4, 0};
    ApplyStep(run, step);
    ApplyStep(run, step);
    EXPECT_EQ(P().x, 105);
    EXPECT_EQ(P().y, 92);
    EXPECT_EQ(P().colour, 0xFF0000u);
    P() = UndefinedPoint();
    ApplyStep(run, step);
    EXPECT_TRUE(IsUndefined(P()));
}

TEST_F(StepTest, StepsAlongALineOrCircleStayOnIt) {
    StepEntry alongLine{0 | SteppedPoint, 0 | AlongLine, std::sqrt(2.0) * 10, 0, 0};
    ApplyStep(run, alongLine);
    EXPECT_NEAR(P().x, 110, 1e-9);
    EXPECT_NEAR(P().y, 110, 1e-9);

    P() = Point{400, 300, 0, 0, 0};
    StepEntry alongCircle{0 | SteppedPoint, 0 | AlongCircle, 100 * Pi / 2, 0, 0};  // a quarter turn
    ApplyStep(run, alongCircle);
    EXPECT_NEAR(P().x, 300, 1e-9);
    EXPECT_NEAR(P().y, 200, 1e-9) << "counter-clockwise on the screen: upward";
    for (int frame = 0; frame < 7; ++frame) {
        ApplyStep(run, alongCircle);
        EXPECT_NEAR(std::hypot(P().x - 300, P().y - 300), 100, 1e-9);
    }
    run.objects.circles[0].r = 0;  // an undefined rotation: the point is lost, nothing stops
    ApplyStep(run, alongCircle);
    EXPECT_TRUE(IsUndefined(P()));
}

TEST_F(StepTest, ACircleBouncesAtRadiusZero) {
    StepEntry step{1 | AlongCircle, 0, 1, 0, -5};
    const double radii[] = {7, 2, 3, 8, 13};
    for (const double r : radii) {
        ApplyStep(run, step);
        EXPECT_DOUBLE_EQ(Ring().r, r);
    }
    EXPECT_EQ(step.c, 5) << "the bounce stays in the entry";
    EXPECT_DOUBLE_EQ(Ring().x, 55);
    EXPECT_EQ(Ring().colour, 0x00FF00u);
    EXPECT_EQ(Ring().thickness, 2);
}

TEST(Declarations, AreCollectedInRowOrderWithTheirNumbers) {
    const std::string script =
        "IPOINT A, 1, 1\nIPOINT B, 2, 2\nILINE L, 0, 0, 10, 0\nICIRCLE K, 0, 0, 5\nICIRCLE J, 0, 0, 9\n"
        "ANIMATE Move\nEND\n"
        "ANIMATION Move\nSTEP A, 1, -2\nSTEP K, 1, 2\nSTEP J, 0, 0, -0.5\nSTEP A ALONG L\nSTEP B ALONG K, 3\n"
        "STEP K ALONG L, 2, 4\nSTEP J ALONG K, 2\nTRACE B, A\nREPEAT 50\n";
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    ASSERT_EQ(ParseScript(SplitScriptText(script), table, errors, symbols), 0);
    Settings settings;
    RunContext run(table, symbols, settings, nullptr);
    MakeObjectLists(run, 2, 1, 2);
    Activation act;
    act.procedure = 1;
    act.lastRow = table.Word(1, 0, 1);
    CollectDeclarations(run, act);
    struct Expected { std::int32_t object, constraint; double a, b, c; };
    const Expected expected[] = {
        {0x10000, 0, 1, -2, 0},        {0x30000, 0, 1, 2, 0},      {0x30001, 0, 0, 0, -0.5},
        {0x10000, 0x20000, 1, 0, 0},   {0x10001, 0x30000, 3, 0, 0}, {0x30000, 0x20000, 2, 0, 4},
        {0x30001, 0x30000, 2, 0, 0},
    };
    ASSERT_EQ(act.steps.size(), std::size(expected));
    for (std::size_t i = 0; i < act.steps.size(); ++i) {
        const StepEntry& s = act.steps[i];
        const Expected& e = expected[i];
        EXPECT_EQ(s.object, e.object) << i;
        EXPECT_EQ(s.constraint, e.constraint) << i;
        EXPECT_EQ(s.a, e.a) << i;
        EXPECT_EQ(s.b, e.b) << i;
        EXPECT_EQ(s.c, e.c) << i;
    }
    EXPECT_EQ(act.traced, (std::vector<std::int32_t>{1, 0}));
    EXPECT_TRUE(act.clickables.empty());
}

// A (green) moves 10 pixels right a frame for 10 frames, leaving its trail in its own
// style; B (red) marks it in every pass. The main module then marks where A ended (blue).
constexpr std::string_view Walk =
    "SCREEN 640, 480\nSPEED 0\nFRAMESPEED 100\nIPOINT A, 100, 100, DEFAULT, &H008000\n"
    "ANIMATE Move\nPA = MIDDLE A, A, DEFAULT, &H0000FF, 3\nEND\n"
    "ANIMATION Move\nSTEP A, 10, 0\nTRACE A\nB = MIDDLE A, A, DEFAULT, &HFF0000, 2\nREPEAT 11\n";

TEST(AnimationScript, TheTraceLeavesEveryPositionOfTheWalk) {
    // Nothing answers the pause after the animation: its last frame stays on the screen.
    const ScriptOutcome run = PlayHeadless(Walk);
    EXPECT_TRUE(run.stopped);
    for (int x = 110; x < 200; x += 10) EXPECT_EQ(run.At(x, 100), testing::Shown(0x008000)) << x;
    EXPECT_EQ(run.At(200, 100), Red) << "B, drawn over the newest trace";
    EXPECT_EQ(run.At(100, 100), White) << "the first pass is painted over by the entry picture";
    EXPECT_EQ(run.At(210, 100), White);
    EXPECT_EQ(run.At(105, 100), White);
}

TEST(AnimationScript, FramesFollowTheClockAndTheControlBar) {
    struct Case { std::string events; std::int32_t endX; std::int64_t msFrom, msTo; };
    const Case cases[] = {
        // Ten frames of 100 ms (each wait ends on the first 20 ms poll past its time); the
        // pause after the animation lasts until Enter.
        {"3000 key Enter\n", 200, 3000, 3100},
        // Salir in the fifth frame's wait: four frames were made.
        {"500 key Escape\n3000 key Enter\n", 140, 3000, 3100},
        {"500 click 300 470\n3000 key Enter\n", 140, 3000, 3100},
        // Repetir: A back at 100 at 500 ms, then ten frames from there.
        {"500 key r\n3000 key Enter\n", 200, 3000, 3100},
        // Pausa, then Continuar: the frames go on where they stood.
        {"500 key Enter\n1500 key Enter\n3000 key Enter\n", 200, 3000, 3100},
        // Pausa, then Salir in the pause.
        {"500 key Enter\n1500 key Escape\n3000 key Enter\n", 140, 3000, 3100},
    };
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(Walk, c.events);
        EXPECT_EQ(run.result, 255) << c.events;
        EXPECT_EQ(run.At(c.endX, 100), Blue) << c.events;
        EXPECT_EQ(run.At(c.endX + 10, 100), White) << c.events;
        EXPECT_GE(run.ms, c.msFrom) << c.events;
        EXPECT_LT(run.ms, c.msTo) << c.events;
    }
}

// Called with PACE, a frame lasts the step time and no pause follows the animation.
TEST(AnimationScript, APacedAnimationTakesTheStepTimeAFrame) {
    std::string script(Walk);
    script.replace(script.find("SPEED 0"), 7, "SPEED 200");
    script.replace(script.find("ANIMATE Move"), 12, "ANIMATE Move, PACE");
    const ScriptOutcome run = PlayHeadless(script);
    EXPECT_EQ(run.result, 255);
    EXPECT_FALSE(run.stopped);
    EXPECT_EQ(run.At(200, 100), Blue);
    // 10 frame waits and 11 paced points of 200 ms, then the blue point's step.
    EXPECT_GE(run.ms, 22 * 200);
    EXPECT_LT(run.ms, 22 * 200 + 22 * 40);
}

}  // namespace
}  // namespace vekora
