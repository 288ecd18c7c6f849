// CALL, REPEAT and the WAIT statements.
#include "interp/statements.h"

#include "draw/figure_listener.h"
#include "interp/control_bar.h"
#include "interp/engine.h"
#include "interp/page.h"
#include "interp/resident.h"
#include "interp/screen_text.h"
#include "script/types.h"

namespace vekora {
namespace {

bool RunsFrames(std::int32_t kind) { return kind == KindInteraction || kind == KindAnimation; }

// The result that ends the caller as well: END, and runaway recursion wherever it was found.
bool EndsCaller(std::int32_t result) { return result == EndReached || (result & 0xFFFF) == ErrNestedProcedures; }

std::int32_t CalleeMode(const Activation& caller, std::int32_t opcode, std::int32_t calleeKind) {
    std::int32_t mode = caller.kind == KindMain ? ModePace : caller.mode;
    if (RunsFrames(calleeKind)) mode = ModeFast;
    if (opcode != OpCall) mode = opcode - OpCallFast;
    return mode;
}

// After an INTERACTION or ANIMATION: the caller's picture comes back; the objects keep where
// the procedure left them.
StepResult AfterFrames(RunContext& run, Activation& caller, std::int32_t calleeKind, std::int32_t calleeMode) {
    if (calleeKind == KindAnimation && calleeMode == ModeFast && caller.mode != ModeFast) {
        const AwaitingViewer waiting(run.stage.device(), {ViewerWaitKind::GoOn, caller.procedure, caller.row});
        const StepResult pause = PauseWithControlBar(run, caller, ResidentFont(FontFamily::Sans, 16), BarPlace::AfterAnimation);
        if (pause.flow != Flow::Next) return pause;
    }
    PaintOnPage(run, caller.workingPicture.get());
    ShowPage(run);
    return NextStep();
}

}  // namespace

StepResult RunCall(RunContext& run, Activation& caller, const StatementRow& row) {
    const std::int32_t callee = row.target;
    if (callee <= 0 || !run.table.HasModule(callee)) return NextStep();
    if (run.depth >= MaxActivationDepth) return ReturnWith(RunError(caller.procedure, ErrNestedProcedures));
    EnsureWindow(run, caller);
    const std::int32_t kind = run.table.Word(callee, 0, HeaderKind);
    const std::int32_t mode = CalleeMode(caller, row.opcode, kind);
    if (RunsFrames(kind)) caller.workingPicture = CopyOfPage(run);
    const std::int32_t result =
        RunProcedure(run, mode * 65536 + callee, caller.procedure * 65536 + caller.row);
    if (EndsCaller(result)) return ReturnWith(result);
    if (RunsFrames(kind)) return AfterFrames(run, caller, kind, mode);
    return NextStep();
}

StepResult RunRepeat(RunContext& run, Activation& activation, const StatementRow& row) {
    if (activation.mode == ModeFast) ShowPage(run);
    ++activation.repeatCounter;
    if (activation.kind == KindInteraction || activation.repeatCounter < row.w[1]) return StepResult{Flow::Repeat, 0};
    return ReturnWith(RanToEnd);
}

StepResult RunWait(RunContext& run, Activation& activation, const StatementRow& row) {
    const bool always = row.opcode == OpWaitAlways || row.opcode == OpWaitAlwaysFor;
    if (!always && activation.mode == ModeFast) return NextStep();
    if (activation.kind == KindConstruction && activation.mode == ModeFast) ShowPage(run);
    if (FigureListener* listener = CurrentFigureListener()) listener->Moment(true);
    if (row.opcode == OpWait || row.opcode == OpWaitAlways) {
        const AwaitingViewer waiting(run.stage.device(), {ViewerWaitKind::GoOn, activation.procedure, activation.row});
        return PauseWithControlBar(run, activation, ResidentFont(FontFamily::Sans, 16), BarPlace::Wait);
    }
    return NextStepAfter(run.stage.Wait(row.w[1] > 0 ? row.w[1] : run.settings.stepMs));
}

}  // namespace vekora
