// The control bar in the bottom rows of the window ("Pausa"/"Continuar", "Repetir", "Salir"):
// its drawing, the answer it gives for an input code, and what each answer does between
// statements, in a WAIT and after a paced ANIMATION.
#pragma once

#include <cstdint>

#include "draw/font.h"
#include "interp/run_context.h"

namespace vekora {

// Buttons are this many pixels wide, side by side from x = 0; clicks at x >= BarWidth answer nothing.
constexpr std::int32_t BarButtonWidth = 128;
constexpr std::int32_t BarButtonCount = 3;
constexpr std::int32_t BarWidth = BarButtonWidth * BarButtonCount;

// Draws the bar on the screen (not on the page): the three raised buttons in the menu
// colours, and the rest of the bar row under the page in the background colour. `font` is
// the resident "sans16". Nothing happens while no screen is open.
void DrawControlBar(const Stage& stage, const FontView& font, bool paused);

// The answer for one input code (as PollInput packs it): Enter gives Pausa/Continuar, "r",
// "R" or Page Up Repetir, Escape Salir; a click on a button's rows h - 19 to h - 1 of a
// screen h rows high gives that button, answered once every mouse button is released.
BarAnswer PollControlBar(const Stage& stage, std::int32_t inputCode);

// Where the bar is asked while the run stands still.
enum class BarPlace {
    BetweenStatements,  // before a row runs (or inside its wait), when the viewer paused anything but an INTERACTION
    Wait,               // WAIT and WAITALWAYS without a time
    AfterAnimation,     // after an ANIMATION called in a paced way; `act` is the caller
};

// While it lives, Pausa during a step wait or a film frame of the statement being run holds
// the lesson right there: the bar reads "Continuar" and nothing moves until the viewer
// answers; Continuar lets the statement go on from where it stood. The engine makes one
// around every statement, so the innermost activation is the one the pause belongs to.
class PausaInWaits : public WaitHold {
public:
    PausaInWaits(RunContext& run, Activation& act, const FontView& font);
    ~PausaInWaits() override;
    PausaInWaits(const PausaInWaits&) = delete;
    PausaInWaits& operator=(const PausaInWaits&) = delete;
    std::int32_t Hold(std::int32_t inputCode) override;

private:
    RunContext& run_;
    Activation& act_;
    FontView font_;
    WaitHold* outer_;
};

// Before every row: acts on the bar's answer for `pendingInput`, the input code that cut the
// previous row's waits short (0: none did). Next lets the row run (Salir in a CONSTRUCTION
// has switched it to FAST); Restart sends the activation back to its restart point; Return
// ends it with 0.
StepResult ControlBarBetweenStatements(RunContext& run, Activation& act, const FontView& font,
                                       std::int32_t pendingInput);

// Pauses with the bar reading "Continuar" until the viewer answers; the answer acts as the
// place requires (see BarPlace). Returns at once, with Next, when no device gives input, and
// with END's return when the run is asked to stop.
StepResult PauseWithControlBar(RunContext& run, Activation& act, const FontView& font, BarPlace place);

}  // namespace vekora
