// SCREEN, WINDOW, TEXTWINDOW and TEXT, and the MENU statements, in whole headless runs.
#include <gtest/gtest.h>

#include "interp/resident.h"
#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;
constexpr std::uint32_t MenuFace = testing::Shown(0xC0C0C0);

TEST(Screen, WindowHoldsThePageAndTheBarBelowIt) {
    const ScriptOutcome run = PlayHeadless("SCREEN 800, 600, 32, &HFF0000\nEND\n");
    EXPECT_EQ(run.width, 800);
    EXPECT_EQ(run.height, 600);
    EXPECT_EQ(run.At(799, 579), Red);
    EXPECT_EQ(run.At(200, 590), MenuFace);  // a button of the bar
    EXPECT_EQ(run.At(700, 590), White);     // the bar row beside the buttons: the background
}

TEST(Screen, BarBesideTheButtonsTakesTheBackgroundColour) {
    const ScriptOutcome run = PlayHeadless("DEFAULTS &H0000FF\nSCREEN 800, 600, 16, &HFF0000\nEND\n");
    EXPECT_EQ(run.At(700, 590), Blue);
    EXPECT_EQ(run.At(700, 570), Red);
}

TEST(Screen, WindowClipsToTheScreenAndKeepsTheOldPicture) {
    const ScriptOutcome big = PlayHeadless("SCREEN 300, 200\nWINDOW 2000, 2000\nCLS &HFF0000\nEND\n");
    EXPECT_EQ(big.At(299, 179), Red);
    EXPECT_NE(big.At(299, 181), Red);
    // The top-left 100 x 50 of the old page stays; the rest of the new page is not shown.
    const ScriptOutcome small = PlayHeadless("SCREEN 300, 200\nCLS &H00FF00\nWINDOW 100, 50\nCLS &HFF0000\nEND\n");
    EXPECT_EQ(small.At(99, 49), Red);
    EXPECT_EQ(small.At(100, 49), Green);
    EXPECT_EQ(small.At(99, 50), Green);
}

// A screen that cannot be made (too large, negative, the most negative number) leaves the run
// without a page: it plays on to its END drawing nothing, and the sizes never overflow.
TEST(Screen, AScreenThatCannotBeMadeLeavesTheRunWithoutAPage) {
    for (const char* size : {"8191, 65535", "4097, 8191", "&H80000000, &H80000000", "-5, 100"}) {
        const ScriptOutcome run =
            PlayHeadless(std::string("SCREEN ") + size + "\nPOINT A, 10, 10\nCLS &HFF0000\nEND\n");
        EXPECT_EQ(run.result, 255) << size;
        EXPECT_EQ(run.width, 0) << size;
    }
}

TEST(Text, TextFillsItsBoxOnTheScreen) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 300, 200\nTEXTWINDOW 10, 20, 200, 40\nTEXT \"Tri\xE1ngulo\", &HFF0000, &H0000FF, 24\nEND\n");
    EXPECT_EQ(run.At(10, 20), Blue);
    EXPECT_EQ(run.At(209, 59), Blue);
    EXPECT_EQ(run.At(210, 60), White);
    EXPECT_GT(run.Count(10, 20, 209, 59, Red), 40);
    // A 24-pixel font: no ink below the first line's height.
    EXPECT_EQ(run.Count(10, 48, 209, 59, Red), 0);
}

TEST(Text, WithoutBoxColourTheBoxTakesTheBackground) {
    const ScriptOutcome run = PlayHeadless(
        "DEFAULTS &H00FF00\nSCREEN 300, 200, 16, &HFF0000\nTEXTWINDOW 10, 20, 100, 30\nTEXT \"A\"\nEND\n");
    EXPECT_EQ(run.At(109, 49), Green);
    EXPECT_EQ(run.At(110, 50), Red);
    EXPECT_GT(run.Count(10, 20, 109, 49, Black), 10);
}

// Whether the screen shows `glyph` in black on white with its top-left corner at (x, y).
bool ShowsGlyph(const ScriptOutcome& run, std::int32_t x, std::int32_t y, const std::uint8_t* glyph) {
    for (std::int32_t r = 0; r < GlyphHeight(glyph); ++r) {
        for (std::int32_t c = 0; c < GlyphWidth(glyph); ++c) {
            const std::uint8_t* row = glyph + GlyphHeaderBytes + r * GlyphRowBytes(GlyphWidth(glyph));
            const bool ink = (row[c >> 3] >> (7 - (c & 7))) & 1;
            if (run.At(x + c, y + r) != (ink ? Black : White)) return false;
        }
    }
    return true;
}

std::int32_t LowestInkRow(const ScriptOutcome& run, std::int32_t x0, std::int32_t x1) {
    for (std::int32_t y = 39; y >= 0; --y)
        if (run.Count(x0, y, x1, y, Black) > 0) return y;
    return -1;
}

// A UTF-8 lesson writes Greek letters and geometry signs: each is the Greek font's glyph at
// the text's size, placed by its advance on the Latin text's line, never "?".
TEST(Text, MathematicalTextDrawsGreekSignsOnTheLatinBaseline) {
    const std::string lesson = ScriptTextToLatin1(
        "SCREEN 320, 240\nSPEED 0\nTEXTWINDOW 0, 0, 320, 40\n"
        "TEXT \"a\xCE\xB1\xE2\x88\xA0x\", 0, -1, 16\nEND\n");  // a, alpha, angle, x
    const ScriptOutcome run = PlayHeadless(lesson);
    ASSERT_EQ(run.result, 255);
    const FontView sans = ResidentFont(FontFamily::Sans, 16);
    const FontView greek = ResidentFont(FontFamily::Greek, 16);
    const std::uint8_t* latinA = sans.Glyph('a');
    const std::uint8_t* alpha = greek.Glyph('a');
    const std::uint8_t* angle = greek.Glyph(0xD0);
    const std::uint8_t* latinX = sans.Glyph('x');
    const std::int32_t alphaX = GlyphWidth(latinA);
    const std::int32_t angleX = alphaX + GlyphWidth(alpha);
    const std::int32_t xX = angleX + GlyphWidth(angle);
    EXPECT_TRUE(ShowsGlyph(run, 0, 0, latinA));
    EXPECT_TRUE(ShowsGlyph(run, alphaX, 0, alpha)) << "alpha";
    EXPECT_FALSE(ShowsGlyph(run, alphaX, 0, sans.Glyph('?'))) << "not a question mark";
    EXPECT_TRUE(ShowsGlyph(run, angleX, 0, angle)) << "angle sign";
    EXPECT_TRUE(ShowsGlyph(run, xX, 0, latinX)) << "the Latin text goes on after the signs";
    // a, alpha and x stand on one baseline.
    const std::int32_t baseline = LowestInkRow(run, 0, alphaX - 1);
    EXPECT_GT(baseline, 0);
    EXPECT_EQ(LowestInkRow(run, alphaX, angleX - 1), baseline);
    EXPECT_EQ(LowestInkRow(run, xX, xX + GlyphWidth(latinX) - 1), baseline);
}

TEST(Text, BeforeTextwindowNothingShows) {
    const ScriptOutcome run = PlayHeadless("SCREEN 300, 200\nTEXT \"hola\", &HFF0000, &HFF0000\nEND\n");
    EXPECT_EQ(run.Count(0, 0, 299, 179, Red), 0);
}

// A lesson that branches: each item draws a point of its own colour at (100, 60).
constexpr const char* Lesson =
    "SCREEN 300, 200\nSPEED 0\n"
    "MENU\n"
    "MENUITEM \"rojo\"\n"
    "POINT P, 100, 60, 2, &HFF0000, 20\n"
    "EXITMENU\n"
    "MENUITEM \"azul\"\n"
    "POINT Q, 100, 60, 2, &H0000FF, 20\n"
    "EXITMENU\n"
    "MENUITEM \"verde\"\n"
    "POINT R, 100, 60, 2, &H00FF00, 20\n"
    "ENDMENU\n"
    "END\n";

TEST(Menus, KeysAndClicksChooseTheBranch) {
    struct Case {
        const char* events;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"10 key Enter\n", Red},
        {"10 key Down\n20 key Enter\n", Blue},
        {"10 key Down\n20 key Down\n30 key Down\n40 key Enter\n", Green},  // stays on the last
        {"10 key Up\n20 key Enter\n", Red},
        {"10 click 30 50\n", Green},  // row 2 of the box
        {"10 click 30 25\n", Blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        const ScriptOutcome run = PlayHeadless(Lesson, c.events);
        EXPECT_EQ(run.At(100, 60), c.colour);
        // Only the chosen branch ran, and the menu box is gone.
        EXPECT_EQ(run.At(3, 3), White);
    }
}

TEST(Menus, BoxShowsInTheCornerWhileTheViewerChooses) {
    // Nobody answers: the run is stopped at the time limit with the menu still up, the text
    // of item 0 on the selected background, the others on the menu face.
    const ScriptOutcome run = PlayHeadless(Lesson);
    EXPECT_TRUE(run.stopped);
    EXPECT_GT(run.Count(4, 2, 30, 17, testing::Shown(0x000080)), 40);
    EXPECT_EQ(run.Count(4, 22, 30, 57, testing::Shown(0x000080)), 0);
    EXPECT_EQ(run.At(2, 30), MenuFace);
    EXPECT_EQ(run.At(2, 50), MenuFace);
    EXPECT_EQ(run.At(2, 70), White);  // three rows of 20 pixels
}

TEST(Menus, EscapeOrAClickOutsideSkipsEveryItem) {
    for (const char* events : {"10 key Escape\n", "10 click 250 150\n"}) {
        const ScriptOutcome run = PlayHeadless(Lesson, events);
        EXPECT_EQ(run.At(100, 60), White) << events;
        EXPECT_EQ(run.result, 255);
    }
}

TEST(Menus, RepeatmenuShowsTheMenuAgain) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 300, 200\nSPEED 0\n"
        "MENU\n"
        "MENUITEM \"otro\"\n"
        "POINT P, 100, 60, 2, &HFF0000, 20\n"
        "MENUITEM \"salir\"\n"
        "EXITMENU\n"
        "REPEATMENU\n"
        "POINT Q, 200, 60, 2, &H0000FF, 20\n"
        "END\n",
        "10 key Enter\n100 key Down\n110 key Enter\n");
    EXPECT_EQ(run.At(100, 60), Red);
    EXPECT_EQ(run.At(200, 60), Blue);
}

}  // namespace
}  // namespace vekora
