// Procedures and pacing played headless: the virtual time a run takes, what keys and clicks
// do to it, CALL modes, parameters, REPEAT, the waits, END and runaway recursion.
#include <gtest/gtest.h>

#include "interp/engine.h"
#include "script/types.h"
#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;

// A wait polls in 20 ms sleeps plus two 1 ms polls, so it lasts its time and up to one slice.
void ExpectAbout(std::int64_t ms, std::int64_t expected) {
    EXPECT_GE(ms, expected);
    EXPECT_LE(ms, expected + 60);
}

constexpr const char* ThreePoints =
    "SCREEN 200, 120\n"
    "POINT A, 20, 20\n"
    "POINT B, 60, 20\n"
    "POINT C, 100, 20\n";

TEST(Pacing, MainModuleWaitsTheStepTimeAfterEachDrawing) {
    ExpectAbout(PlayHeadless(std::string(ThreePoints) + "END\n").ms, 6000);
    ExpectAbout(PlayHeadless("SPEED 500\n" + std::string(ThreePoints) + "END\n").ms, 1500);
}

TEST(Pacing, KeyEndsOneWaitAndTheBarReadsItBeforeTheNextStatement) {
    // "x" is no answer of the bar: the first wait ends at 500 ms, the others run in full.
    ExpectAbout(PlayHeadless(std::string(ThreePoints) + "END\n", "500 key x\n").ms, 4500);
}

TEST(Pacing, PendingKeySkipsTheWaitsLeftInOneStatement) {
    // A paced midline shows several stages; a key in its first pause skips the rest of them.
    const std::string script =
        "SCREEN 300, 200\nSPEED 1000\nPOINT A, 50, 100\nPOINT B, 250, 100\nM = MIDLINE A, B\nEND\n";
    const std::int64_t full = PlayHeadless(script).ms;
    const std::int64_t cut = PlayHeadless(script, "2100 key x\n").ms;
    ASSERT_GT(full, 4000);
    ExpectAbout(cut, 2100);
}

TEST(Pacing, SpeedHoldsForLaterProcedures) {
    const std::string procedure = "END\nCONSTRUCTION K\nPOINT D, 20, 60\nPOINT E, 60, 60\nREPEAT\n";
    ExpectAbout(PlayHeadless("SCREEN 200, 120\nSPEED 500\nCALL K\n" + procedure).ms, 1000);
    ExpectAbout(PlayHeadless("SCREEN 200, 120\nSPEED 500\nCALL K FAST\n" + procedure).ms, 0);
    ExpectAbout(PlayHeadless("SCREEN 200, 120\nCALL K PACE\n" + procedure).ms, 4000);
}

TEST(Pacing, SlowPointHoldsThePencilOneStepThenThePointAnother) {
    const std::string script =
        "SCREEN 200, 120\nSPEED 1000\nCALL K SLOW\nEND\nCONSTRUCTION K\nPOINT D, 100, 60, DEFAULT, &HFF0000\nREPEAT\n";
    ExpectAbout(PlayHeadless(script).ms, 2000);
    // The pencil is gone afterwards: the picture is the one PACE leaves.
    const ScriptOutcome slow = PlayHeadless(script);
    const ScriptOutcome pace = PlayHeadless(
        "SCREEN 200, 120\nSPEED 1000\nCALL K PACE\nEND\nCONSTRUCTION K\nPOINT D, 100, 60, DEFAULT, &HFF0000\nREPEAT\n");
    EXPECT_EQ(slow.screen, pace.screen);
    EXPECT_GT(slow.Count(90, 50, 110, 70, Red), 0);
}

TEST(Pacing, FastConstructionDrawsOnThePageShownByTheNextStatement) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\nSPEED 300\nCALL K FAST\nPOINT Z, 150, 90\nEND\n"
        "CONSTRUCTION K\nPOINT D, 20, 60, DEFAULT, &HFF0000\nREPEAT\n");
    EXPECT_EQ(run.At(20, 56), Red);
    ExpectAbout(run.ms, 300);
}

TEST(Procedures, ParametersStandForTheCallersObjects) {
    // The construction's point X is the caller's B: it moves B, and its own X stays unused.
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\nSPEED 0\n"
        "POINT A, 20, 20, DEFAULT, &HFF0000\n"
        "IPOINT B, 30, 30\n"
        "CALL MOVE B\n"
        "L = LINE A, B, DEFAULT, &H0000FF\n"
        "END\n"
        "CONSTRUCTION MOVE X\n"
        "IPOINT X, 180, 20\n"
        "REPEAT\n");
    EXPECT_EQ(run.At(100, 20), Blue);
    EXPECT_EQ(run.At(25, 25), White);
}

TEST(Procedures, RepeatRunsTheBodyItsCountOfTimes) {
    struct Case {
        const char* count;
        std::int64_t ms;
    };
    const Case cases[] = {{"3", 3000}, {"1", 1000}, {"0", 1000}, {"", 1000}};
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(
            std::string("SCREEN 200, 120\nSPEED 1000\nCALL K\nEND\nCONSTRUCTION K\nPOINT D, 20, 60\nREPEAT ") + c.count + "\n");
        SCOPED_TRACE(c.count);
        ExpectAbout(run.ms, c.ms);
    }
}

TEST(Procedures, TimedWaitsAndWaitForContinuar) {
    ExpectAbout(PlayHeadless("WAIT 700\nEND\n").ms, 700);
    ExpectAbout(PlayHeadless("SPEED 300\nWAIT 0\nEND\n").ms, 300);
    // WAIT pauses with the bar until Continuar (Enter); a fast construction ignores WAIT.
    ExpectAbout(PlayHeadless("SCREEN 200, 120\nWAIT\nEND\n", "5000 key Enter\n").ms, 5000);
    ExpectAbout(PlayHeadless("SCREEN 200, 120\nCALL K FAST\nEND\nCONSTRUCTION K\nWAIT\nREPEAT\n").ms, 0);
}

TEST(Procedures, EndInsideAProcedureEndsTheWholeRun) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\nSPEED 0\nCALL K\nPOINT Z, 100, 60, DEFAULT, &HFF0000\nEND\n"
        "CONSTRUCTION K\nEND\nREPEAT\n");
    EXPECT_EQ(run.result, 255);
    EXPECT_EQ(run.Count(90, 50, 110, 70, Red), 0);
}

TEST(Procedures, RunawayRecursionEndsTheRunWithErrorTwenty) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\nCALL R\nPOINT Z, 100, 60, DEFAULT, &HFF0000\nEND\n"
        "CONSTRUCTION R\nCALL R\nREPEAT\n");
    EXPECT_EQ(run.result, RunError(1, ErrNestedProcedures));
    EXPECT_EQ(run.Count(90, 50, 110, 70, Red), 0);
}

TEST(ControlBarInRuns, EscapeEndsTheMainModuleButOnlyHurriesAConstruction) {
    const ScriptOutcome main = PlayHeadless(std::string(ThreePoints) + "END\n", "100 key Escape\n");
    EXPECT_EQ(main.result, 0);
    ExpectAbout(main.ms, 100);
    EXPECT_EQ(main.Count(95, 15, 105, 25, 0x000000), 0);  // C never drawn

    const ScriptOutcome construction = PlayHeadless(
        "SCREEN 200, 120\nCALL K\nPOINT Z, 150, 90\nEND\n"
        "CONSTRUCTION K\nPOINT A, 20, 20\nPOINT B, 60, 20\nPOINT C, 100, 20\nREPEAT\n",
        "100 key Escape\n");
    EXPECT_EQ(construction.result, 255);
    ExpectAbout(construction.ms, 2100);  // B and C without waits, Z with its own
    EXPECT_GT(construction.Count(95, 15, 105, 25, 0x000000), 0);
}

TEST(ControlBarInRuns, ClicksAtTheButtonBorders) {
    // Three paced points in a construction; a click at 500 ms ends A's wait and is then read
    // by the bar of a 400 x 120 window (bar rows 100 to 119). A button the bar answers is
    // awaited until its release (600 ms); one it does not answer, held down, ends the waits
    // of B and C at once too.
    const std::string script =
        "SCREEN 400, 120\nSPEED 1000\nCALL K\nEND\n"
        "CONSTRUCTION K\nPOINT A, 20, 20\nPOINT B, 60, 20\nPOINT C, 100, 20\nREPEAT\n";
    struct Case {
        int x, y;
        bool paused;      // Pausa: nothing ends the pause
        std::int64_t ms;  // otherwise: when the run ends
    };
    const Case cases[] = {
        {127, 110, true, 0},   {128, 110, false, 3600}, {383, 110, false, 600},
        {384, 110, false, 500}, {60, 100, false, 500}, {60, 101, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        const ScriptOutcome run = PlayHeadless(script, "500 click " + std::to_string(c.x) + " " + std::to_string(c.y) + "\n");
        EXPECT_EQ(run.stopped, c.paused);
        if (!c.paused) ExpectAbout(run.ms, c.ms);
    }
}

TEST(ControlBarInRuns, PauseHoldsAConstructionUntilContinuar) {
    const std::string script =
        "SCREEN 400, 120\nCALL K\nEND\nCONSTRUCTION K\nPOINT A, 20, 20\nPOINT B, 60, 20\nREPEAT\n";
    // Enter cuts A's wait and pauses before B; a click on the first button resumes.
    const ScriptOutcome run = PlayHeadless(script, "100 key Enter\n5000 click 60 110\n");
    ExpectAbout(run.ms, 5100 + 2000);
    // While paused the first button reads "Continuar": wider than "Pausa".
    const ScriptOutcome paused = PlayHeadless(script, "100 key Enter\n");
    EXPECT_TRUE(paused.stopped);
    EXPECT_GT(paused.Count(81, 103, 120, 117, 0x000000), 0);
}

TEST(ControlBarInRuns, RepetirRestoresObjectsAndPicture) {
    // M is drawn from A as it was at entry; the construction then moves A. Repetir during the
    // wait after the move starts again from the old A: M lands where it did the first time.
    const std::string script =
        "SCREEN 200, 120\nSPEED 1000\nIPOINT A, 20, 20\nIPOINT Q, 100, 20\nCALL K\nEND\n"
        "CONSTRUCTION K\nM = MIDDLE A, Q, DEFAULT, &HFF0000\nPOINT A, 180, 100, DEFAULT, &H0000FF\nREPEAT\n";
    const ScriptOutcome run = PlayHeadless(script, "1500 key r\n");
    EXPECT_EQ(run.At(60, 16), Red);
    EXPECT_EQ(run.Count(130, 50, 150, 70, Red), 0);  // no M from the moved A
    ExpectAbout(run.ms, 1500 + 2000);
}

}  // namespace
}  // namespace vekora
