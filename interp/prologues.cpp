// The per-kind prologues. For now they only keep the run answering the viewer between the
// passes of an INTERACTION or ANIMATION.
// FIXME: dragging the clickable points, moving the stepped objects and drawing the traces.
#include "interp/prologues.h"

#include "interp/control_bar.h"
#include "interp/page.h"
#include "interp/resident.h"
#include "platform/device.h"
#include "platform/input.h"

namespace vekora {
namespace {

// An INTERACTION loops until the viewer leaves it: between passes it waits for input, so the
// clock moves on and Escape (Salir) or Repetir are heard.
StepResult InteractionPrologue(RunContext& run, Activation& activation) {
    activation.workingPicture = CopyOfPage(run);
    if (activation.repeatCounter == 0) return NextStep();
    if (ActiveDevice() == nullptr) return ReturnWith(0);  // no viewer can ever end it
    for (;;) {
        const std::int32_t code = WaitPolling(run.settings.frameMs);
        if (code == 0) continue;
        switch (PollControlBar(code)) {
            case BarRepeat: return StepResult{Flow::Restart, 0};
            case BarExit: return ReturnWith(0);
            default: break;
        }
    }
}

// An ANIMATION waits one frame (a step in a paced mode) before each pass after the first and
// starts it from its entry picture.
StepResult AnimationPrologue(RunContext& run, Activation& activation) {
    if (activation.repeatCounter < 1) return NextStep();
    if (activation.pendingInput == 0)
        activation.pendingInput = WaitPolling(activation.mode == ModeFast ? run.settings.frameMs : run.settings.stepMs);
    PaintOnPage(run, activation.entryPicture.get());
    const std::int32_t code = activation.pendingInput;
    switch (PollControlBar(code)) {
        case BarNothing: activation.pendingInput = 0; break;
        case BarPause: return PauseWithControlBar(run, activation, ResidentFont(FontFamily::Sans, 16), BarPlace::BetweenStatements);
        case BarRepeat: return StepResult{Flow::Restart, 0};
        case BarExit: return ReturnWith(0);
    }
    if (activation.mode != ModeFast) ShowPage(run);
    return NextStep();
}

}  // namespace

void CollectDeclarations(const RunContext& run, Activation& activation) {
    (void)run;
    (void)activation;
}

StepResult RunPrologue(RunContext& run, Activation& activation) {
    switch (activation.kind) {
        case KindInteraction: return InteractionPrologue(run, activation);
        case KindAnimation: return AnimationPrologue(run, activation);
        default: return NextStep();
    }
}

}  // namespace vekora
