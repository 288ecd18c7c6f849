// What a presentation remote sends: Space, the Right arrow and Page Down go on from a WAIT, a
// Pausa hold and the pause after an animation as Enter does, and nowhere else; B and the full
// stop blank the screen until the next key.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/script_run_support.h"

namespace vekora::testing {
namespace {

using namespace colours;

// A red point, a WAIT, a blue point; a green point after a paced ANIMATION's pause.
constexpr std::string_view Lesson =
    "SCREEN 320, 240\nSPEED 500\n"
    "POINT A, 100, 100, DEFAULT, &HFF0000\n"
    "WAIT\n"
    "POINT B, 200, 100, DEFAULT, &H0000FF\n"
    "ANIMATE Still\n"
    "POINT C, 150, 200, DEFAULT, &H00FF00\n"
    "END\n"
    "ANIMATION Still\n"
    "STEP A, 0, 0\n"
    "REPEAT 2\n";

TEST(PresenterKeys, GoOnFromEveryPauseAsEnterDoes) {
    for (const char* key : {"Enter", "Space", "Right", "PageDown"}) {
        const std::string name(key);
        // The WAIT, then the pause after the animation.
        const ScriptOutcome run = PlayHeadless(Lesson, "wait key " + name + "\nwait key " + name + "\n");
        EXPECT_FALSE(run.stopped) << key;
        EXPECT_EQ(run.At(150, 200), Green) << key;
        // A Pausa hold in B's step pause, answered by the same key.
        const ScriptOutcome held = PlayHeadless(Lesson, "wait key Enter\n+100 key Enter\n+3000 key " + name +
                                                            "\nwait key Enter\n");
        EXPECT_FALSE(held.stopped) << key;
        EXPECT_GT(held.ms, run.ms + 2500) << key << ": held three seconds in B's step";
    }
    // Other keys do not go on.
    for (const char* key : {"x", "Left", "Down"}) {
        const ScriptOutcome run = PlayHeadless(Lesson, std::string("wait key ") + key + "\n");
        EXPECT_TRUE(run.stopped) << key;
        EXPECT_EQ(run.At(200, 100), White) << key;
    }
}

TEST(PresenterKeys, DoNotPauseBetweenStatements) {
    // Space during the blue point's step pause: no hold, the run goes on at once.
    const ScriptOutcome plain = PlayHeadless(Lesson, "wait key Enter\nwait key Enter\n");
    const ScriptOutcome spaced = PlayHeadless(Lesson, "wait key Enter\n+100 key Space\nwait key Enter\n");
    EXPECT_FALSE(spaced.stopped);
    EXPECT_LE(spaced.ms, plain.ms);
}

TEST(PresenterKeys, BAndTheFullStopBlankTheScreenUntilTheNextKey) {
    for (const char* key : {"B", "b", "."}) {
        const ScriptOutcome blank = PlayHeadless(Lesson, std::string("wait key ") + key + "\n");
        ASSERT_TRUE(blank.stopped) << key;
        EXPECT_EQ(blank.Count(0, 0, 319, 239, Black), 320 * 240) << key;
        // The next key only brings the picture back: the WAIT still waits, then Space goes on.
        const ScriptOutcome back = PlayHeadless(Lesson, std::string("wait key ") + key + "\n+500 key x\n");
        ASSERT_TRUE(back.stopped) << key;
        EXPECT_EQ(back.At(100, 100), Red) << key;
        EXPECT_EQ(back.At(200, 100), White) << key;
        const ScriptOutcome on = PlayHeadless(Lesson, std::string("wait key ") + key + "\n+500 key x\n+500 key Space\nwait key Enter\n");
        EXPECT_FALSE(on.stopped) << key;
    }
}

}  // namespace
}  // namespace vekora::testing
