// Going back a WAIT: the run is played again from its start with what the viewer did (a menu
// choice, a drag, the keys at each WAIT) up to where the WAIT before began, and goes on live
// from there. What it shows must be what a run stopped at that WAIT shows, pixel for pixel.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/script_run_support.h"
#include "tests/support/viewer_lesson.h"

namespace vekora::testing {
namespace {

using namespace colours;

// Three WAITs; a menu and a drag of B before the second, a circle after it, a point after
// the third. The logo is on: the replay passes through it too.
const std::string Lesson = ViewerLesson(200,
                                         "WAIT\n"
                                         "POINT C, 160, 40, DEFAULT, &HFF0000\n"
                                         "WAIT\n");

// Up to the second WAIT: Enter at the first, Medio then Fin in the menu, B dragged.
constexpr std::string_view ToSecondWait =
    "wait key Enter\n"
    "wait key Enter\n"
    "wait key Down\n"
    "+0 key Enter\n"
    "wait press 260 150\n"
    "+100 move 230 120\n"
    "+100 release 200 100\n"
    "wait key Escape\n";

// Runs stand at their last WAIT until this limit, and are pictured there.
constexpr std::int64_t LimitMs = 20000;

ScriptOutcome Play(const std::string& events, bool presenter = false) {
    RunOptions options;
    options.presenter = presenter;
    return PlayHeadlessWith(Lesson, events, options, 1, LimitMs);
}

// The picture at each WAIT, from runs that stop there.
ScriptOutcome AtSecondWait() { return Play(std::string(ToSecondWait)); }
ScriptOutcome AtThirdWait() { return Play(std::string(ToSecondWait) + "wait key Enter\n"); }

TEST(StepBack, FromTheThirdWaitShowsTheSecondPixelForPixel) {
    const ScriptOutcome second = AtSecondWait();
    const ScriptOutcome third = AtThirdWait();
    ASSERT_TRUE(second.stopped);
    ASSERT_TRUE(third.stopped);
    // The circle is drawn between them: the pictures differ where it runs.
    ASSERT_NE(second.screen, third.screen);
    EXPECT_EQ(second.Count(0, 0, 319, 219, Shown(Blue)), 0);
    EXPECT_GT(third.Count(0, 0, 319, 219, Shown(Blue)), 100);

    for (const char* key : {"Left", "Backspace"}) {
        const ScriptOutcome back = Play(std::string(ToSecondWait) + "wait key Enter\nwait key " + key + "\n");
        ASSERT_TRUE(back.stopped) << key;
        EXPECT_EQ(back.width, second.width) << key;
        EXPECT_TRUE(back.screen == second.screen) << key << ": the picture differs from the second WAIT's";
    }
}

TEST(StepBack, GoesOnLiveAfterwards) {
    const ScriptOutcome plain = Play(std::string(ToSecondWait) + "wait key Enter\nwait key Enter\n");
    ASSERT_TRUE(plain.stopped);  // at the fourth WAIT
    // Back from the third WAIT, then on again through the second and the third to the fourth:
    // the same picture.
    const ScriptOutcome again =
        Play(std::string(ToSecondWait) + "wait key Enter\nwait key Left\nwait key Enter\nwait key Enter\n");
    ASSERT_TRUE(again.stopped);
    EXPECT_TRUE(again.screen == plain.screen);
    EXPECT_EQ(again.At(160, 40), Shown(Red));
    // Twice back, from the third WAIT to the first, shows the first WAIT's picture.
    const ScriptOutcome first = Play("");
    const ScriptOutcome twice = Play(std::string(ToSecondWait) + "wait key Enter\nwait key Left\nwait key Left\n");
    ASSERT_TRUE(twice.stopped);
    EXPECT_TRUE(twice.screen == first.screen);
}

TEST(StepBack, KeysThatGoBackAtAWait) {
    enum class Then { SecondWait, ThirdWait, FromTheStart };
    struct Case {
        const char* key;
        bool presenter;
        Then shows;
    };
    const Case cases[] = {
        {"Left", false, Then::SecondWait},      {"Backspace", false, Then::SecondWait},
        {"PageUp", true, Then::SecondWait},     {"Left", true, Then::SecondWait},
        {"Backspace", true, Then::SecondWait},
        // Without --presenter Page Up is Repetir: the whole lesson again, to its first WAIT.
        {"PageUp", false, Then::FromTheStart},
        {"Up", false, Then::ThirdWait},         {"Up", true, Then::ThirdWait},
    };
    const ScriptOutcome pictures[] = {AtSecondWait(), AtThirdWait(), Play("")};
    for (const Case& c : cases) {
        const ScriptOutcome run = Play(std::string(ToSecondWait) + "wait key Enter\nwait key " + c.key + "\n", c.presenter);
        ASSERT_TRUE(run.stopped) << c.key;
        EXPECT_TRUE(run.screen == pictures[static_cast<int>(c.shows)].screen)
            << c.key << (c.presenter ? " with" : " without") << " --presenter";
    }
}

TEST(StepBack, NothingBeforeTheFirstWait) {
    // The first WAIT has none before it: the keys leave it as it stands.
    const ScriptOutcome first = Play("");
    for (const char* key : {"Left", "Backspace", "PageUp"}) {
        const ScriptOutcome run = Play(std::string("wait key ") + key + "\n", true);
        ASSERT_TRUE(run.stopped) << key;
        EXPECT_TRUE(run.screen == first.screen) << key;
    }
}

}  // namespace
}  // namespace vekora::testing
