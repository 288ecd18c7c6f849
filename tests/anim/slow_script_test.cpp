// Whole scripts played SLOW on the headless device: the instruments come and go, and the
// screen ends as the same script played PACE leaves it, wherever both draw the same figures.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/script_run_support.h"

namespace vekora::testing {
namespace {

// Segments, circles, arcs and a start line: SLOW and PACE draw the same finished figures.
std::string Figures(const std::string& mode, const std::string& speeds) {
    return "SCREEN 320, 240\n" + speeds + "CALL Figures " + mode +
           "\nEND\n"
           "CONSTRUCTION Figures\n"
           "POINT A, 20, 200\nPOINT B, 300, 170\nPOINT O, 160, 100\n"
           "L = LINE A, B\n"
           "C = CIRCLE O, A, &H0000FF\n"
           "G = ARC O, B, 40, &HFF0000\n"
           "E F = STARTLINE O, 60, 80\n"
           "L2 = LINE O, B\n"
           "K = ARC L, L2, 30, &H00FF00\n"
           "REPEAT\n";
}

TEST(SlowScript, EndsWithTheScreenPaceLeaves) {
    const ScriptOutcome pace = PlayHeadless(Figures("PACE", "SPEED 300\n"));
    const ScriptOutcome slow = PlayHeadless(Figures("SLOW", "SPEED 300\n"));
    ASSERT_TRUE(pace.errors.codes.empty());
    ASSERT_EQ(slow.screen.size(), pace.screen.size());
    EXPECT_TRUE(slow.screen == pace.screen);
    EXPECT_GT(slow.Count(0, 0, 319, 219, 0x0000FF), 150) << "the circle is there";
}

TEST(SlowScript, FilmsTakeTheirFramesAndFrameSpeedZeroDrawsAtOnce) {
    const ScriptOutcome pace = PlayHeadless(Figures("PACE", "SPEED 300\n"));
    const ScriptOutcome slow = PlayHeadless(Figures("SLOW", "SPEED 300\n"));
    const ScriptOutcome noFrames = PlayHeadless(Figures("SLOW", "SPEED 300\nFRAMESPEED 0\n"));
    const ScriptOutcome paceNoFrames = PlayHeadless(Figures("PACE", "SPEED 300\nFRAMESPEED 0\n"));
    // Each of the six films lasts the step time before its pause.
    EXPECT_GE(slow.ms - pace.ms, 6 * 300 - 100);
    // Without a frame time the films show no frame: the figures appear at once, and the run
    // keeps PACE's time but for the pencil's step at each of the three points.
    EXPECT_TRUE(noFrames.screen == slow.screen);
    EXPECT_NEAR(noFrames.ms, paceNoFrames.ms + 3 * 300, 100);
}

}  // namespace
}  // namespace vekora::testing
