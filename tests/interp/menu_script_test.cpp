// MENU statements in whole scripts on the headless device: a lesson branches by key or click,
// Escape skips the menu, REPEATMENU shows it again until EXITMENU leaves it.
#include <gtest/gtest.h>

#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;

// Each branch paints the page; the point after the menu shows the run went on.
constexpr std::string_view Branches =
    "SCREEN 320, 240\nSPEED 0\n"
    "MENU\n"
    "MENUITEM \"Rojo\"\nCLS &HFF0000\n"
    "MENUITEM \"Verde\"\nCLS &H00FF00\nEXITMENU\n"
    "MENUITEM \"Azul\"\nCLS &H0000FF\n"
    "ENDMENU\n"
    "POINT P, 300, 200, DEFAULT, &H000000\n"
    "END\n";

TEST(MenuScript, TheChosenBranchRunsAndTheLessonGoesOn) {
    struct Case { std::string events; std::uint32_t page; std::int64_t atLeastMs; };
    const Case cases[] = {
        {"100 key Enter\n", Red, 100},
        {"100 key Down\n200 key Enter\n", Green, 200},
        {"100 key Down\n200 key Down\n300 key Down\n400 key Enter\n", Blue, 400},
        {"100 click 10 50\n", Blue, 1100},   // row 2, lit for a second
        {"100 click 10 25\n", Green, 1100},
        {"100 key Escape\n", White, 100},
        {"100 click 300 100\n", White, 100},  // outside the box
    };
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(Branches, c.events);
        EXPECT_EQ(run.result, 255) << c.events;
        EXPECT_EQ(run.At(100, 100), c.page) << c.events;
        EXPECT_EQ(run.At(10, 10), c.page) << "the menu box is gone: " << c.events;
        EXPECT_EQ(run.At(300, 200), 0u) << "the run went on after the menu: " << c.events;
        EXPECT_GE(run.ms, c.atLeastMs) << c.events;
    }
}

TEST(MenuScript, RepeatMenuShowsTheMenuAgainUntilAnExit) {
    const std::string_view script =
        "SCREEN 320, 240\nSPEED 0\n"
        "MENU &HFFFF00, &H800000\n"
        "MENUITEM \"Rojo\"\nCLS &HFF0000\n"
        "MENUITEM \"Verde\"\nCLS &H00FF00\n"
        "MENUITEM \"Fin\"\nEXITMENU\n"
        "REPEATMENU\n"
        "POINT P, 300, 200, DEFAULT, &H000000\n"
        "END\n";
    // Red, then green, then Fin: the page stays green and the run goes on after the menu.
    const ScriptOutcome run = PlayHeadless(script,
                                           "100 key Enter\n"
                                           "300 key Down\n400 key Enter\n"
                                           "600 key Down\n700 key Down\n800 key Enter\n");
    EXPECT_EQ(run.result, 255);
    EXPECT_EQ(run.At(100, 100), Green);
    EXPECT_EQ(run.At(300, 200), 0u);
    EXPECT_GE(run.ms, 800);
    // Escape goes on after the REPEATMENU, leaving the menu too.
    const ScriptOutcome escape = PlayHeadless(script, "100 key Enter\n300 key Escape\n");
    EXPECT_EQ(escape.result, 255);
    EXPECT_EQ(escape.At(100, 100), Red);
    EXPECT_EQ(escape.At(300, 200), 0u);
}

}  // namespace
}  // namespace vekora
