// The control bar: drawing, answers, and pauses.
#include "interp/control_bar.h"

#include <algorithm>
#include <string_view>

#include "draw/text.h"
#include "i18n/language.h"
#include "interp/resident.h"
#include "interp/menu.h"
#include "interp/engine.h"
#include "platform/input.h"

namespace vekora {
namespace {

constexpr std::int32_t CaptionInsetY = 3;  // from the bar's top row
// The pause steps a virtual clock this much between polls; a window sleeps until input comes.
constexpr std::int32_t PausePollMs = 10;
constexpr std::int32_t ReleasePollMs = 10;

constexpr std::int32_t CaptionMargin = 8;  // the least room either side of a caption

constexpr std::string_view CaptionPause = N_("Pausa");
constexpr std::string_view CaptionContinue = N_("Continuar");
constexpr std::string_view CaptionRepeat = N_("Repetir");
constexpr std::string_view CaptionExit = N_("Salir");

// Pausa holds the main module too, where most lessons live; only an INTERACTION, whose
// viewer drags at will, ignores it. Repetir restarts procedures only: the whole lesson is
// not played again from a stray "r".
bool Pausable(const Activation& act) { return act.kind != KindInteraction; }
bool Repeatable(const Activation& act) { return act.kind == KindConstruction || act.kind == KindAnimation; }

// A key as PollInput packs it, for an answer the pause hands on to the statement loop.
std::int32_t KeyCode(char key) { return KeyCodeBit | static_cast<std::uint8_t>(key); }

void FillBox(ImageHandle screen, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
             std::int32_t colour) {
    RasterLine(screen, static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
               static_cast<float>(bottom), static_cast<std::uint32_t>(colour), LineKind::FilledBox, 0xFFFF);
}

// What presentation remotes send for "next" (Space, the Right arrow, Page Down) goes on
// from a pause as Enter does; between statements they mean nothing, so a stray press does
// not pause a construction.
bool GoesOnFromAPause(std::string_view key) { return key == " " || key == KeyRight || key == KeyPageDown; }

// B and the full stop blank the screen, as slide programs do.
bool BlanksTheScreen(std::string_view key) { return key == "b" || key == "B" || key == "."; }

// The screen black until the next key or click, which only brings the picture back.
void BlankUntilInput(const Stage& stage) {
    const ImageHandle screen = stage.Screen();
    const SurfaceSize size = SurfaceInfo(screen);
    const OwnedImage shown(ImageNewOfDepth(size.width, size.height, size.bytesPerPixel, 0));
    if (!shown) return;
    ImageBlit(shown.get(), 0, 0, screen, BlitMode::Plain, 0);
    FillBox(screen, 0, 0, size.width - 1, size.height - 1, 0x000000);
    do {
        stage.AwaitInput(PausePollMs);
    } while (!stage.Stopped() && stage.Poll() == 0);
    stage.AwaitRelease(ReleasePollMs);
    ImageBlit(screen, 0, 0, shown.get(), BlitMode::Plain, 0);
}

// What goes back to the WAIT before at a wait for the viewer: the Left arrow and Backspace,
// and Page Up for a presenter, whose remote has no other "back".
bool StepsBack(std::string_view key, const RunOptions& options) {
    return key == KeyLeft || key == KeyBackspace || (options.presenter && key == KeyPageUp);
}

// The bar's answer in a pause, where the presenter's keys count too. At a WAIT a key that
// steps back asks the device to replay the run to the WAIT before, which stops this run (at
// the first WAIT there is none: the key does nothing).
BarAnswer AnswerInAPause(const RunContext& run, std::int32_t inputCode, BarPlace place) {
    const Stage& stage = run.stage;
    const DecodedInput input = DecodeInput(inputCode);
    if (place != BarPlace::BetweenStatements && StepsBack(input.key, run.options)) {
        if (stage.device() != nullptr) stage.device()->StepBack();
        return BarNothing;
    }
    const BarAnswer answer = PollControlBar(stage, inputCode);
    if (answer != BarNothing) return answer;
    if (GoesOnFromAPause(input.key)) return BarPause;
    if (BlanksTheScreen(input.key)) BlankUntilInput(stage);
    return BarNothing;
}

void SetPaused(RunContext& run, Activation& act, const FontView& font, bool paused) {
    act.paused = paused;
    run.bar.Draw(run.stage, font, paused);
}

// What an answer other than BarNothing does in a pause: go on waiting, or end it with `step`.
struct PauseOutcome {
    bool keepWaiting = false;
    StepResult step;
};

PauseOutcome AnswerInPause(Activation& act, BarAnswer answer, BarPlace place) {
    if (answer == BarRepeat) return {false, StepResult{Flow::Restart, 0}};
    // Salir leaves the main module from its pause as it does between statements.
    if (answer == BarExit && place == BarPlace::BetweenStatements && act.kind == KindMain) return {false, ReturnWith(0)};
    if (answer == BarExit && place == BarPlace::Wait) {
        // Salir in a CONSTRUCTION only makes the rest of it fast; the WAIT itself still waits.
        if (act.kind == KindConstruction) {
            act.mode = ModeFast;
            return {true, NextStep()};
        }
        return {false, ReturnWith(0)};
    }
    return {false, NextStep()};
}

}  // namespace

std::string_view BarCaption(BarAnswer button, bool paused) {
    switch (button) {
        case BarPause: return Tr(paused ? CaptionContinue : CaptionPause);
        case BarRepeat: return Tr(CaptionRepeat);
        case BarExit: return Tr(CaptionExit);
        case BarNothing: break;
    }
    return {};
}

BarLayout ControlBarLayout(const FontView& font) {
    std::int32_t longest = StringWidth(BarCaption(BarPause, true), font);
    for (const BarAnswer button : {BarPause, BarRepeat, BarExit})
        longest = std::max(longest, StringWidth(BarCaption(button, false), font));
    BarLayout layout;
    if (layout.captionInset + longest + CaptionMargin <= layout.buttonWidth) return layout;
    layout.captionInset = CaptionMargin;
    layout.buttonWidth = longest + 2 * CaptionMargin;
    return layout;
}

void DrawControlBar(const Stage& stage, const FontView& font, bool paused) {
    const Settings& settings = stage.settings();
    const ImageHandle target = stage.Screen();
    const ScreenMode screen = stage.Mode();
    if (screen.width <= 0 || screen.height <= 0) return;
    const std::int32_t bottom = screen.height - 1;
    const std::int32_t top = screen.height - ControlBarRows;
    const BarLayout layout = ControlBarLayout(font);
    const std::int32_t barWidth = layout.Width();
    const std::int32_t pageRight = settings.originX + settings.pageWidth;
    if (pageRight > barWidth) FillBox(target, barWidth, top, pageRight - 1, bottom, settings.backgroundColour);
    FillBox(target, 0, top, barWidth - 1, bottom, settings.menuBackground);

    const std::string_view captions[BarButtonCount] = {BarCaption(BarPause, paused), BarCaption(BarRepeat, paused),
                                                       BarCaption(BarExit, paused)};
    const auto textColour = static_cast<std::uint32_t>(settings.menuText);
    const std::uint32_t noBackground = TransparentColour(target);
    for (std::int32_t button = 0; button < BarButtonCount; ++button) {
        const std::int32_t left = button * layout.buttonWidth;
        DrawRaisedFrame(target, left, top, left + layout.buttonWidth - 1, bottom,
                        static_cast<std::uint32_t>(settings.menuBackground));
        PrintText(target, captions[button], font, left + layout.captionInset, top + CaptionInsetY, textColour,
                  noBackground);
    }
}

BarAnswer PollControlBar(const Stage& stage, std::int32_t inputCode) {
    const DecodedInput input = DecodeInput(inputCode);
    if (input.key == KeyEnter) return BarPause;
    if (input.key == "r" || input.key == "R" || input.key == KeyPageUp) return BarRepeat;
    if (input.key == KeyEscape) return BarExit;
    if (input.buttons <= 0) return BarNothing;
    const std::int32_t height = stage.Mode().height;
    const BarLayout layout = ControlBarLayout(ResidentFont(FontFamily::Sans, 16));
    if (input.y <= height - ControlBarRows || input.x < 0 || input.x >= layout.Width()) return BarNothing;
    stage.AwaitRelease(ReleasePollMs);
    return static_cast<BarAnswer>(input.x / layout.buttonWidth + 1);
}

StepResult ControlBarBetweenStatements(RunContext& run, Activation& act, const FontView& font,
                                       std::int32_t pendingInput) {
    switch (PollControlBar(run.stage, pendingInput)) {
        case BarPause:
            if (Pausable(act) && !act.paused) return PauseWithControlBar(run, act, font, BarPlace::BetweenStatements);
            return NextStep();
        case BarRepeat:
            return Repeatable(act) ? StepResult{Flow::Restart, 0} : NextStep();
        case BarExit:
            if (act.kind != KindConstruction) return ReturnWith(0);
            act.mode = ModeFast;
            return NextStep();
        case BarNothing:
            return NextStep();
    }
    return NextStep();
}

StepResult PauseWithControlBar(RunContext& run, Activation& act, const FontView& font, BarPlace place) {
    // Without a device no input can ever end the pause.
    if (!run.stage.ClockRuns()) return NextStep();
    SetPaused(run, act, font, true);
    for (;;) {
        run.stage.AwaitInput(PausePollMs);
        if (run.stage.Stopped()) return ReturnWith(EndReached);
        const BarAnswer answer = AnswerInAPause(run, run.stage.Poll(), place);
        if (answer == BarNothing) continue;
        // The main module cannot be played again: its pause goes on reading "Continuar".
        if (answer == BarRepeat && !Repeatable(act) && place == BarPlace::BetweenStatements) continue;
        // Every answer unpauses the bar, also Salir in a CONSTRUCTION's WAIT, which goes on
        // waiting with the bar reading "Pausa" until the next answer.
        SetPaused(run, act, font, false);
        const PauseOutcome outcome = AnswerInPause(act, answer, place);
        if (!outcome.keepWaiting) return outcome.step;
    }
}

PausaInWaits::PausaInWaits(RunContext& run, Activation& act, const FontView& font)
    : run_(run), act_(act), font_(font), outer_(run.stage.hold) {
    run_.stage.hold = this;
}

PausaInWaits::~PausaInWaits() { run_.stage.hold = outer_; }

std::int32_t PausaInWaits::Hold(std::int32_t inputCode) {
    if (!Pausable(act_) || act_.paused || PollControlBar(run_.stage, inputCode) != BarPause) return inputCode;
    // A wait is inside a statement: the bar's other answers reach the statement loop as the
    // keys that give them, once the statement has finished without further waits.
    const StepResult step = PauseWithControlBar(run_, act_, font_, BarPlace::BetweenStatements);
    if (step.flow == Flow::Restart) return KeyCode('r');
    if (step.flow == Flow::Return) return step.result == EndReached ? StopCode : KeyCode('\x1B');
    return 0;
}

}  // namespace vekora
