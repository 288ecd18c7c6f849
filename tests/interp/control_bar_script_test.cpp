// The control bar in whole scripts on the headless device: Salir, Pausa and Repetir by keys
// and clicks in the main module and in a CONSTRUCTION, seen in the picture and the virtual time.
#include <gtest/gtest.h>

#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;

// A colour as a 16-bit screen shows it (5:6:5 widened by bit replication).
constexpr std::uint32_t Shown(std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 19) & 31, g = (rgb >> 10) & 63, b = (rgb >> 3) & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Four red points a second apart, in the main module; a blue one at the end.
constexpr std::string_view MainRow =
    "SCREEN 640, 480\nSPEED 1000\n"
    "POINT A, 100, 100, DEFAULT, &HFF0000\nPOINT B, 200, 100, DEFAULT, &HFF0000\n"
    "POINT C, 300, 100, DEFAULT, &HFF0000\nPOINT E, 400, 100, DEFAULT, &HFF0000\n"
    "POINT D, 100, 300, DEFAULT, &H0000FF\nEND\n";

// The same four red points drawn by a CONSTRUCTION, then the blue one by the main module.
constexpr std::string_view ConstructedRow =
    "SCREEN 640, 480\nSPEED 1000\nCALL Row\nPOINT D, 100, 300, DEFAULT, &H0000FF\nEND\n"
    "CONSTRUCTION Row\n"
    "POINT A, 100, 100, DEFAULT, &HFF0000\nPOINT B, 200, 100, DEFAULT, &HFF0000\n"
    "POINT C, 300, 100, DEFAULT, &HFF0000\nPOINT E, 400, 100, DEFAULT, &HFF0000\n"
    "REPEAT\n";

void ExpectPoints(const ScriptOutcome& run, bool c, bool e, bool d, const std::string& what) {
    EXPECT_EQ(run.At(200, 100), Red) << what;
    EXPECT_EQ(run.At(300, 100), c ? Red : White) << what;
    EXPECT_EQ(run.At(400, 100), e ? Red : White) << what;
    EXPECT_EQ(run.At(100, 300), d ? Blue : White) << what;
}

TEST(ControlBarScript, TheBarIsDrawnUnderThePage) {
    const ScriptOutcome run = PlayHeadless("SCREEN 640, 480\nSPEED 0\nPOINT A, 10, 10\nEND\n");
    ASSERT_EQ(run.height, 480);
    EXPECT_EQ(run.At(0, 460), Shown(0xF0F0F0));
    EXPECT_EQ(run.At(127, 479), Shown(0x909090));
    EXPECT_EQ(run.At(250, 470), Shown(0xC0C0C0));
    EXPECT_EQ(run.At(384, 470), White) << "background beside the buttons";
    EXPECT_GT(run.Count(40, 463, 90, 478, 0), 20) << "\"Pausa\"";
    EXPECT_GT(run.Count(296, 463, 330, 478, 0), 20) << "\"Salir\"";
    EXPECT_EQ(run.Count(0, 459, 639, 459, White), 640) << "the page's last row";
}

TEST(ControlBarScript, SalirEndsTheMainModuleButOnlyHurriesAConstruction) {
    struct Case { std::string_view script; std::string events; std::int32_t result; bool rest; std::int64_t ms; };
    const Case cases[] = {
        // Escape during B's step: C is never drawn and END is not reached.
        {MainRow, "1500 key Escape\n", 0, false, 1500},
        {MainRow, "1500 click 383 470\n", 0, false, 1600},
        // In the construction C and E come at once, then the main module's D takes its step.
        {ConstructedRow, "1500 key Escape\n", 255, true, 2500},
        {ConstructedRow, "1500 click 300 479\n", 255, true, 2600},
    };
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(c.script, c.events);
        const std::string what = std::string(c.script.substr(40, 20)) + " / " + c.events;
        EXPECT_EQ(run.result, c.result) << what;
        ExpectPoints(run, c.rest, c.rest, c.rest, what);
        EXPECT_GE(run.ms, c.ms) << what;
        EXPECT_LT(run.ms, c.ms + 100) << what;
    }
}

TEST(ControlBarScript, AClickBesideTheButtonsOrOnTheirTopRowIsNoAnswer) {
    for (const std::string events : {"1500 click 384 470\n", "1500 click 300 460\n", "1500 click 300 479\n"}) {
        const ScriptOutcome run = PlayHeadless(MainRow, events);
        const bool salir = events == "1500 click 300 479\n";
        EXPECT_EQ(run.result, salir ? 0 : 255) << events;
        ExpectPoints(run, !salir, !salir, !salir, events);
    }
}

TEST(ControlBarScript, PausaHoldsAConstructionUntilContinuar) {
    struct Case { std::string_view script; std::string events; std::int64_t ms; };
    const Case cases[] = {
        // Paused before C until the click on "Continuar" is released at 4100; then C, E, D.
        {ConstructedRow, "1500 key Enter\n4000 click 60 470\n", 7100},
        {ConstructedRow, "1500 click 10 470\n4000 key Enter\n", 7000},
        // The main module does not pause: the key only cuts B's step short.
        {MainRow, "1500 key Enter\n", 4500},
    };
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(c.script, c.events);
        EXPECT_EQ(run.result, 255) << c.events;
        ExpectPoints(run, true, true, true, c.events);
        EXPECT_GE(run.ms, c.ms) << c.events;
        EXPECT_LT(run.ms, c.ms + 100) << c.events;
        EXPECT_GT(run.Count(40, 463, 90, 478, 0), 20) << "the bar reads \"Pausa\" again";
        EXPECT_EQ(run.Count(95, 463, 111, 478, 0), 0) << "and not \"Continuar\"";
    }
}

TEST(ControlBarScript, RepetirStartsAConstructionAgainFromItsEntryPicture) {
    // The construction paints its page green, then adds a point; Repetir during the point's
    // step brings back the white page and runs it all again.
    const std::string_view script =
        "SCREEN 640, 480\nSPEED 1000\nCALL Paint\nEND\n"
        "CONSTRUCTION Paint\nPOINT A, 100, 100, DEFAULT, &HFF0000\nCLS &H00FF00\n"
        "POINT B, 200, 100, DEFAULT, &HFF0000\nREPEAT\n";
    const ScriptOutcome once = PlayHeadless(script);
    const ScriptOutcome again = PlayHeadless(script, "1500 key r\n");
    const ScriptOutcome mainIgnores = PlayHeadless(MainRow, "1500 key r\n");
    EXPECT_EQ(again.result, 255);
    EXPECT_NEAR(again.ms - once.ms, 1500, 50) << "the first 1500 ms are played again in full";
    EXPECT_EQ(again.screen, once.screen);
    EXPECT_EQ(mainIgnores.result, 255);
    EXPECT_GE(mainIgnores.ms, 4500) << "the key only cut B's step short";
    EXPECT_LT(mainIgnores.ms, 4600);
}

TEST(ControlBarScript, WaitHoldsTheMainModuleUntilContinuarAndSalirEndsIt) {
    const std::string_view script = "SCREEN 640, 480\nSPEED 0\nPOINT A, 100, 100\nWAIT\nPOINT B, 200, 100, DEFAULT, &HFF0000\nEND\n";
    const ScriptOutcome goOn = PlayHeadless(script, "3000 key Enter\n");
    EXPECT_EQ(goOn.result, 255);
    EXPECT_EQ(goOn.At(200, 100), Red);
    EXPECT_GE(goOn.ms, 3000);
    const ScriptOutcome leave = PlayHeadless(script, "3000 click 300 470\n");
    EXPECT_EQ(leave.result, 0);
    EXPECT_EQ(leave.At(200, 100), White);
}

}  // namespace
}  // namespace vekora
