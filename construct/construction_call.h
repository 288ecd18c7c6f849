// What every construction routine is given besides its figures: the stage it draws and
// waits on (page, origin, device, timing) and the call mode, which says how the construction
// is shown. Each returns its figure with the input code that cut its waits short.
#pragma once

#include <cstdint>

#include "anim/stage.h"

namespace vekora {

// The call modes: of the engine's activations, and of a construction (NoDraw for an
// I-variant statement). A construction given any other value only computes.
enum CallMode : std::int32_t {
    ModeFast = 0,    // the result on the page, nothing shown, no pause
    ModePace = 1,    // stage by stage: draw, show the page, pause the step time
    ModeSlow = 2,    // the instruments draw each stage (each family's film)
    ModeNoDraw = 4,  // compute only
};

// Runs the branch of the call mode: `fast` draws the result at once, `pace` shows the
// stages with their pauses, `slow` is the instrument film. Compute-only calls run none.
// Returns the input code that cut a pause or the film short (what `pace` or `slow` return),
// 0 when none did.
template <typename Fast, typename Pace, typename Slow>
std::int32_t ShowConstruction(CallMode mode, Fast fast, Pace pace, Slow slow) {
    switch (mode) {
    case ModeFast: fast(); return 0;
    case ModePace: return pace();
    case ModeSlow: return slow();
    default: return 0;
    }
}

}  // namespace vekora
