// The control bar on a headless 640 x 480 screen: its pixels, its answers at the borders of
// its buttons, and what Pausa, Repetir and Salir do between statements and in pauses.
#include <gtest/gtest.h>

#include <functional>

#include "interp/control_bar.h"
#include "interp/control_bar_on_screen.h"
#include "tests/support/menu_support.h"
#include "platform/active_device.h"
#include "tests/support/font_support.h"

namespace vekora {
namespace {

using testing::ClickCode;
using testing::HeadlessScreen;
using testing::KeyCode;
using testing::PixelWatch;

constexpr std::int32_t H = 480;
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Ink = 0x000000;
constexpr std::uint32_t Face = 0xC0C0C0;
constexpr std::uint32_t Light = 0xF0F0F0;
constexpr std::uint32_t Dark = 0x909090;

// Glyphs are solid 8 x 16 blocks (spaces blank), so every caption's extent is known.
class ControlBarTest : public ::testing::Test {
protected:
    ControlBarTest() {
        settings.pageWidth = 640;
        settings.pageHeight = static_cast<std::int16_t>(H - ControlBarRows);
        settings.backgroundColour = static_cast<std::int32_t>(Green);
    }
    static std::uint32_t At(std::int32_t x, std::int32_t y) { return HeadlessScreen::At(x, y); }
    static std::uint32_t Px(std::uint32_t colour) { return HeadlessScreen::Stored(colour); }

    Font font = testing::BlockFont(8, 16);
    FontView view = ViewOf(font);
    InstructionTable table;
    SymbolTable symbols;
    Settings settings;

    // A run on the active device, as the screen of the test left it.
    RunContext Run() { return RunContext(table, symbols, settings, ActiveDevice()); }
    Stage OnScreen() const { return Stage(ActiveDevice(), settings); }
};

TEST_F(ControlBarTest, ButtonsFramesCaptionsAndTheRowBesideThem) {
    HeadlessScreen screen;
    DrawControlBar(OnScreen(), view, false);
    struct Case { std::int32_t x, y; std::uint32_t colour; };
    const Case cases[] = {
        {0, H - 20, Light},   {127, H - 20, Light}, {0, H - 1, Light},     {1, H - 1, Dark},
        {127, H - 19, Dark},  {127, H - 1, Dark},   {128, H - 19, Light},  {128, H - 1, Light},
        {383, H - 10, Dark},  {250, H - 10, Face},  {20, H - 10, Face},
        {40, H - 17, Ink},    {79, H - 2, Ink},     {80, H - 10, Face},    {39, H - 10, Face},  // "Pausa"
        {168, H - 17, Ink},   {223, H - 2, Ink},    {296, H - 17, Ink},    {335, H - 10, Ink},  // "Repetir", "Salir"
        {384, H - 20, Green}, {639, H - 1, Green},  {384, H - 21, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(At(c.x, c.y), Px(c.colour)) << c.x << "," << c.y;
}

TEST_F(ControlBarTest, PausedBarReadsContinuar) {
    HeadlessScreen screen;
    DrawControlBar(OnScreen(), view, true);
    EXPECT_EQ(At(111, H - 10), Px(Ink));  // "Continuar" is 9 glyphs: x 40 to 111
    EXPECT_EQ(At(112, H - 10), Px(Face));
    DrawControlBar(OnScreen(), view, false);
    EXPECT_EQ(At(100, H - 10), Px(Face));
}

TEST_F(ControlBarTest, NarrowPageLeavesTheRowRightOfTheButtonsAlone) {
    HeadlessScreen screen;
    settings.pageWidth = 300;
    settings.pageHeight = static_cast<std::int16_t>(H - ControlBarRows);
    DrawControlBar(OnScreen(), view, false);
    EXPECT_EQ(At(384, H - 10), 0u);
    EXPECT_EQ(At(383, H - 10), Px(Dark));
}

// The bar on the screen is drawn again only when its look changed or something was drawn on
// its rows: a page shown right above it, as every animation frame shows one, leaves it be.
TEST_F(ControlBarTest, DrawnAgainOnlyWhenCoveredOrChanged) {
    struct Case {
        const char* what;
        std::function<void(Settings&, Stage&)> between;
        bool redrawn;
    };
    const auto box = [](std::int32_t top, std::int32_t bottom) {
        return [top, bottom](Settings&, Stage& stage) {
            RasterLine(stage.Screen(), 240, static_cast<float>(top), 260, static_cast<float>(bottom), 0x0000FF,
                       LineKind::FilledBox, 0xFFFF);
        };
    };
    const Case cases[] = {
        {"nothing", [](Settings&, Stage&) {}, false},
        {"a box ending a few rows above the bar", box(300, H - ControlBarRows - 4), false},
        {"a box reaching the bar's top row", box(300, H - ControlBarRows), true},
        {"a box inside the bar", box(H - 5, H - 2), true},
        {"a page shown above the bar",
         [](Settings&, Stage& stage) {
             const OwnedImage page(ImageNewOfDepth(640, H - ControlBarRows, 2, 0xFF00FF));
             stage.page = page.get();
             stage.Show();
             stage.page = nullptr;
         },
         false},
        {"the menu colour", [](Settings& changed, Stage&) { changed.menuBackground = 0x808080; }, true},
        {"the page's width", [](Settings& changed, Stage&) { changed.pageWidth = 500; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessScreen screen;
        settings.menuBackground = static_cast<std::int32_t>(Face);
        settings.pageWidth = 640;
        Stage stage = OnScreen();
        ControlBarOnScreen bar;
        bar.Draw(stage, view, false);
        c.between(settings, stage);
        const DrawnAreaWatch watch(stage.Screen());
        bar.Draw(stage, view, false);
        EXPECT_EQ(watch.Changes() != 0, c.redrawn);
        // Whether drawn or not, the screen shows the bar as it is now.
        EXPECT_EQ(At(250, H - 10), Px(static_cast<std::uint32_t>(settings.menuBackground)));
        EXPECT_EQ(At(40, H - 17), Px(Ink));
    }
    // Pausa and back: the caption follows at once.
    HeadlessScreen screen;
    Stage stage = OnScreen();
    ControlBarOnScreen bar;
    bar.Draw(stage, view, false);
    bar.Draw(stage, view, true);
    EXPECT_EQ(At(111, H - 10), Px(Ink));
    bar.Draw(stage, view, false);
    EXPECT_EQ(At(111, H - 10), Px(Face));
}

TEST_F(ControlBarTest, AnswersByKeyAndAtThePixelBordersOfTheButtons) {
    HeadlessScreen screen;
    struct Case { std::int32_t code; BarAnswer answer; };
    const Case cases[] = {
        {KeyCode("\r"), BarPause},         {KeyCode("r"), BarRepeat},         {KeyCode("R"), BarRepeat},
        {KeyCode("\xFFI"), BarRepeat},     {KeyCode("\x1B"), BarExit},        {KeyCode("x"), BarNothing},
        {KeyCode("\xFFH"), BarNothing},    {0, BarNothing},
        {ClickCode(0, H - 1), BarPause},   {ClickCode(127, H - 10), BarPause}, {ClickCode(128, H - 10), BarRepeat},
        {ClickCode(255, H - 19), BarRepeat}, {ClickCode(256, H - 19), BarExit}, {ClickCode(383, H - 10), BarExit},
        {ClickCode(384, H - 10), BarNothing}, {ClickCode(100, H - 20), BarNothing}, {ClickCode(100, 10), BarNothing},
        {ClickCode(300, H - 5, 2), BarExit},  // any button
        {ClickCode(300, H - 5, 0), BarNothing},
    };
    for (const Case& c : cases) EXPECT_EQ(PollControlBar(OnScreen(), c.code), c.answer) << std::hex << c.code;
}

TEST_F(ControlBarTest, AClickIsAnsweredOnlyOnceTheButtonIsReleased) {
    HeadlessScreen screen("0 press 200 470\n700 release 200 470\n");
    EXPECT_EQ(PollControlBar(OnScreen(), ClickCode(200, 470)), BarRepeat);
    EXPECT_GE(screen.NowMs(), 700);
}

TEST_F(ControlBarTest, BetweenStatementsEachKindTakesOnlyTheAnswersItHonours) {
    struct Case { std::int32_t kind; std::string_view key; Flow flow; std::int32_t result; std::int32_t mode; };
    const Case cases[] = {
        {KindMain, "\x1B", Flow::Return, 0, ModePace},
        {KindConstruction, "\x1B", Flow::Next, 0, ModeFast},
        {KindInteraction, "\x1B", Flow::Return, 0, ModePace},
        {KindAnimation, "\x1B", Flow::Return, 0, ModePace},
        {KindMain, "r", Flow::Next, 0, ModePace},
        {KindInteraction, "R", Flow::Next, 0, ModePace},
        {KindConstruction, "r", Flow::Restart, 0, ModePace},
        {KindAnimation, "\xFFI", Flow::Restart, 0, ModePace},
        {KindInteraction, "\r", Flow::Next, 0, ModePace},
        {KindConstruction, "x", Flow::Next, 0, ModePace},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen;
        Activation act;
        act.kind = c.kind;
        act.mode = ModePace;
        RunContext run = Run();
        const StepResult step = ControlBarBetweenStatements(run, act, view, KeyCode(c.key));
        EXPECT_EQ(step.flow, c.flow) << c.kind << " " << c.key;
        EXPECT_EQ(step.result, c.result);
        EXPECT_EQ(act.mode, c.mode) << c.kind << " " << c.key;
        EXPECT_FALSE(act.paused);
        EXPECT_LT(screen.NowMs(), 50) << "no pause";
    }
}

// Pausa in a CONSTRUCTION or the main module: the bar reads "Continuar" until an answer,
// then "Pausa" again. The main module is left by Salir and cannot be repeated.
TEST_F(ControlBarTest, PausaHoldsAConstructionAndTheMainModuleUntilTheViewerAnswers) {
    struct Case { std::string events; Flow flow; std::int64_t endsAfterMs; std::int32_t kind = KindConstruction; };
    const Case cases[] = {
        {"300 key Enter\n", Flow::Next, 300},
        {"300 key Escape\n", Flow::Next, 300},
        {"300 key r\n", Flow::Restart, 300},
        {"300 click 60 470\n", Flow::Next, 400},             // "Continuar", answered on release
        {"300 click 200 100\n600 key Enter\n", Flow::Next, 600},  // a click on the page is no answer
        {"300 key Enter\n", Flow::Next, 300, KindMain},
        {"300 click 300 470\n", Flow::Return, 400, KindMain},
        {"300 key r\n600 key Enter\n", Flow::Next, 600, KindMain},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen(c.events);
        PixelWatch caption(100, H - 10, {0.2});
        screen.Watch(caption);
        Activation act;
        act.kind = c.kind;
        act.mode = ModePace;
        RunContext run = Run();
        const StepResult step = ControlBarBetweenStatements(run, act, view, KeyCode("\r"));
        EXPECT_EQ(step.flow, c.flow) << c.events;
        EXPECT_GE(screen.NowMs(), c.endsAfterMs) << c.events;
        EXPECT_LT(screen.NowMs(), c.endsAfterMs + 150) << c.events;
        EXPECT_EQ(caption.Seen(0), Px(Ink)) << "Continuar while paused";
        EXPECT_EQ(At(100, H - 10), Px(Face)) << "Pausa again";
        EXPECT_FALSE(act.paused);
        EXPECT_EQ(act.mode, ModePace);
    }
}

TEST_F(ControlBarTest, WaitPausesEveryKindAndSalirEndsAllButAConstruction) {
    struct Case { std::int32_t kind; std::string events; Flow flow; std::int32_t mode; std::int64_t endsAfterMs; };
    const Case cases[] = {
        {KindMain, "200 key Enter\n", Flow::Next, ModePace, 200},
        {KindMain, "200 key Escape\n", Flow::Return, ModePace, 200},
        {KindMain, "200 key r\n", Flow::Restart, ModePace, 200},
        {KindInteraction, "200 click 300 470\n", Flow::Return, ModePace, 300},
        {KindConstruction, "200 key Escape\n500 key Enter\n", Flow::Next, ModeFast, 500},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen(c.events);
        PixelWatch caption(100, H - 10, {0.1, 0.4});
        screen.Watch(caption);
        Activation act;
        act.kind = c.kind;
        act.mode = ModePace;
        RunContext run = Run();
        const StepResult step = PauseWithControlBar(run, act, view, BarPlace::Wait);
        EXPECT_EQ(step.flow, c.flow) << c.events;
        EXPECT_EQ(step.result, 0);
        EXPECT_EQ(act.mode, c.mode) << c.events;
        EXPECT_GE(screen.NowMs(), c.endsAfterMs) << c.events;
        EXPECT_EQ(caption.Seen(0), Px(Ink));
        if (c.endsAfterMs > 400) {
            // Still waiting after Salir, but unpaused: the first button reads "Pausa" (x 40 to 79).
            EXPECT_EQ(caption.Seen(1), Px(Face)) << "Pausa while the WAIT goes on after Salir";
        }
        EXPECT_FALSE(act.paused);
    }
}

TEST_F(ControlBarTest, AfterAPacedAnimationSalirGoesOnAndRepetirRestartsTheCaller) {
    for (const auto& [events, flow] : {std::pair{"100 key Escape\n", Flow::Next}, std::pair{"100 key r\n", Flow::Restart}}) {
        HeadlessScreen screen(events);
        Activation caller;
        caller.mode = ModePace;
        RunContext run = Run();
        EXPECT_EQ(PauseWithControlBar(run, caller, view, BarPlace::AfterAnimation).flow, flow) << events;
    }
}

TEST_F(ControlBarTest, WithoutADeviceNothingWaitsAndNothingIsDrawn) {
    Activation act;
    act.kind = KindConstruction;
    RunContext run = Run();
    EXPECT_EQ(PauseWithControlBar(run, act, view, BarPlace::Wait).flow, Flow::Next);
    EXPECT_FALSE(act.paused);
    DrawControlBar(OnScreen(), view, true);
}

}  // namespace
}  // namespace vekora
