// Event files that follow the lesson: "wait" and "+MS" lines play a lesson as the same events
// at hand-counted times do, and still play it after its pace changed, when hand-counted times
// no longer fit.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/script_run_support.h"
#include "tests/support/viewer_lesson.h"

namespace vekora::testing {
namespace {

constexpr std::string_view FollowingEvents =
    "wait key Enter\n"
    "wait key Enter\n"        // the menu: Medio
    "wait key Down\n"         // the menu again: Fin
    "+0 key Enter\n"
    "wait press 260 150\n"    // the INTERACTION: drag B
    "+100 move 230 120\n"
    "+100 release 200 100\n"
    "wait key Escape\n"
    "wait key Enter\n";

// The same at the times the waits began at SPEED 200, as the --until note gave them.
constexpr std::string_view HandTimedEvents =
    "440 key Enter\n"
    "672 key Enter\n"
    "904 key Down\n"
    "904 key Enter\n"
    "928 press 260 150\n"
    "1028 move 230 120\n"
    "1128 release 200 100\n"
    "1133 key Escape\n"
    "1135 key Enter\n";

TEST(FollowingEvents, PlayTheLessonAsHandTimedEventsDo) {
    const ScriptOutcome following = PlayHeadless(ViewerLesson(200), FollowingEvents);
    const ScriptOutcome handTimed = PlayHeadless(ViewerLesson(200), HandTimedEvents);
    ASSERT_FALSE(following.stopped);
    ASSERT_FALSE(handTimed.stopped);
    EXPECT_EQ(following.ms, handTimed.ms);
    EXPECT_TRUE(following.screen == handTimed.screen);
    // The last statement drew the circle: the run went through every wait.
    EXPECT_GT(following.Count(0, 0, 319, 219, Shown(colours::Blue)), 200);
}

TEST(FollowingEvents, StillFitAfterTheLessonsPaceChanged) {
    const ScriptOutcome before = PlayHeadless(ViewerLesson(200), FollowingEvents);
    const ScriptOutcome slower = PlayHeadless(ViewerLesson(700), FollowingEvents);
    ASSERT_FALSE(slower.stopped);
    EXPECT_GT(slower.ms, before.ms);
    EXPECT_TRUE(slower.screen == before.screen);
    // The hand-counted times now answer the wrong waits.
    const ScriptOutcome handTimed = PlayHeadless(ViewerLesson(700), HandTimedEvents);
    EXPECT_TRUE(handTimed.stopped || handTimed.screen != before.screen);
}

}  // namespace
}  // namespace vekora::testing
