// What every construction routine is given besides its figures: the page it draws on and
// where that page is shown, the call mode, the pending input code it hands back, and the
// program settings it reads. Also the shared steps Show, Pause and "pause if quiet".
#pragma once

#include <cstdint>

#include "draw/image.h"
#include "shell/settings.h"

namespace vekora {

// The call modes a construction is given (the engine's call modes; 4 for an I-variant
// statement). Every value other than 0, 1 and 2 means: compute only.
enum class CallMode : std::int32_t { Fast = 0, Pace = 1, Slow = 2, NoDraw = 4 };

// How a call mode shows a construction.
enum class Drawing {
    None,  // compute only
    Fast,  // the result on the page, nothing shown, no pause
    Pace,  // stage by stage: draw, show the page, pause the step time
    Slow,  // the instruments draw each stage (see construct/films.h)
};

Drawing DrawingOf(std::int32_t mode);

struct ConstructionCall {
    ImageHandle page;         // the drawing page (null: draw straight onto the screen)
    std::int32_t originX;     // where the page is shown on the screen
    std::int32_t originY;
    std::int32_t mode;        // a CallMode value
    std::int32_t& event;      // out: the input code that cut a pause short, 0 if none
    const Settings& settings;

    Drawing drawing() const { return DrawingOf(mode); }

    // Puts the whole page on the screen at the origin (plain copy). A page that is the screen
    // itself is already shown.
    void Show() const;
    // event := WaitPolling(step time): the step time passes unless an input code arrives.
    void Pause();
    // Pauses only while no input code is pending.
    void PauseIfQuiet();

    void ShowAndPause() {
        Show();
        Pause();
    }
    void ShowAndPauseIfQuiet() {
        Show();
        PauseIfQuiet();
    }
};

// Runs the branch of the call's drawing: `fast` draws the result at once, `pace` shows the
// stages with their pauses, `slow` is the instrument film. Compute-only calls run none.
template <typename Fast, typename Pace, typename Slow>
void ShowConstruction(const ConstructionCall& call, Fast fast, Pace pace, Slow slow) {
    switch (call.drawing()) {
    case Drawing::None: return;
    case Drawing::Fast: fast(); return;
    case Drawing::Pace: pace(); return;
    case Drawing::Slow: slow(); return;
    }
}

}  // namespace vekora
