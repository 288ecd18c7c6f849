// The execution engine: entry, restart and repeat points, the statement loop and the
// dispatch of each opcode to its statement family.
#include "interp/engine.h"

#include <algorithm>

#include "draw/figure_listener.h"
#include "interp/control_bar.h"
#include "interp/menu.h"
#include "interp/page.h"
#include "interp/prologues.h"
#include "interp/resident.h"
#include "interp/screen_text.h"
#include "interp/statement_row.h"
#include "interp/statements.h"

namespace vekora {
namespace {

FontView BarFont() { return ResidentFont(FontFamily::Sans, 16); }

// Entry steps 1 to 5: what the activation keeps from its start to its return.
void Enter(RunContext& run, Activation& act, std::int32_t procedureAndMode, std::int32_t callerPosition) {
    act.procedure = procedureAndMode & 0xFFFF;
    act.mode = static_cast<CallMode>(static_cast<std::uint32_t>(procedureAndMode) >> 16);
    act.kind = act.procedure == 0 ? KindMain : run.table.Word(act.procedure, 0, HeaderKind);
    act.lastRow = run.table.Word(act.procedure, 0, HeaderEndRow);
    act.callerPosition = callerPosition;
    if (act.procedure == 0) run.screen.depth = 0;
    else act.entryPicture = CopyOfPage(run);
    act.startRow = act.kind == KindConstruction ? 2 : 1;
    if (act.kind == KindInteraction || act.kind == KindAnimation) CollectDeclarations(run, act);
    if (act.kind == KindConstruction) BindParameters(run, act);
    act.snapshot = run.objects;
}

// Repetir: the objects and the picture as they were at entry.
void Restore(RunContext& run, Activation& act) {
    run.objects = act.snapshot;
    PaintOnPage(run, act.entryPicture.get());
}

StepResult Execute(RunContext& run, Activation& act, const StatementRow& row) {
    switch (row.opcode) {
        case OpPoint: return NextStepAfter(RunPoint(run, act, row));
        case OpCrossLines: return NextStepAfter(RunCrossLines(run, act, row));
        case OpMiddle: return NextStepAfter(RunMiddle(run, act, row));
        case OpAdvanceTo: case OpAdvanceOn: return NextStepAfter(RunAdvance(run, act, row));
        case OpCrossCircleLine: case OpCrossLineCircle: case OpCrossCircles: case OpCircleEnds:
            return NextStepAfter(RunPointPair(run, act, row));
        case OpLineXY: case OpLinePolarXY: case OpLineThrough: case OpMidline: case OpBisector:
        case OpLinePolarAt: case OpTangent: case OpStartLine:
            return NextStepAfter(RunLineStatement(run, act, row));
        case OpCircleXY: case OpMoveCircle: case OpCircleThrough: case OpCircleToLine: case OpArcPoints:
        case OpArcLines:
            return NextStepAfter(RunCircleStatement(run, act, row));
        case OpCopyPoint: case OpCopyLine: case OpCopyCircle: case OpRevert: case OpOrderLines:
            RunCopyOrOrder(run, row);
            break;
        case OpFillTriangle: case OpFillCircle: return NextStepAfter(RunFill(run, act, row));
        case OpMarkPoint: case OpMarkLine: case OpMarkAngleLines: case OpMarkAnglePoints: case OpMarkNumberLine:
        case OpMarkNumberLines: case OpMarkNumberPoints:
            RunMark(run, act, row);
            break;
        case OpCallFast: case OpCallPace: case OpCallSlow: case OpCall: return RunCall(run, act, row);
        case OpRepeat: return RunRepeat(run, act, row);
        case OpCls: RunCls(run, act, row); break;
        case OpScreen: RunScreen(run, act, row); break;
        case OpWindow: RunWindow(run, act, row); break;
        case OpTextWindow: RunTextWindow(run, row); break;
        case OpText: RunText(run, act, row); break;
        case OpTitle: RunTitle(run, row); break;
        case OpSpeed: RunSpeed(run.settings, row); break;
        case OpFrameSpeed: RunFrameSpeed(run.settings, row); break;
        case OpDefaults: RunDefaults(run.settings, row); break;
        case OpToolDefaults: RunToolDefaults(run.settings, row); break;
        case OpMenu: return RunMenuStatement(run, act, ResidentTextFont(FontFamily::Sans, 16));
        case OpMenuItem: case OpExitMenu: case OpEndMenu: case OpRepeatMenu: return MenuJump(act, row.target);
        case OpWait: case OpWaitAlways: case OpWaitFor: case OpWaitAlwaysFor: return RunWait(run, act, row);
        case OpEnd: return ReturnWith(EndReached);
        default: break;  // declarations collected at entry, and opcodes that do nothing
    }
    return NextStep();
}

// The statement loop, from the start row to the last row. The input code that cut a row's
// waits short goes to the control bar before the next row; the code left by the last row (or
// by one that ends the pass) goes nowhere, as every activation starts with none. Entering the
// loop (a call, a repeat, a restart) and jumping back in it are what can loop without end:
// those are charged to the clock, the statements between them not.
StepResult RunStatements(RunContext& run, Activation& act) {
    run.stage.RepetitionExecuted();
    std::int32_t pending = 0;
    for (act.row = act.startRow; act.row <= act.lastRow; ++act.row) {
        // A stop request (window closed, signal, time limit) unwinds every activation as
        // END does, without drawing anything more.
        if (run.stage.Stopped()) return ReturnWith(EndReached);
        const std::int32_t executedRow = act.row;
        const StepResult bar = ControlBarBetweenStatements(run, act, BarFont(), pending);
        pending = 0;
        if (bar.flow != Flow::Next) return bar;
        StatementRow row;
        if (!DecodeRow(run, act, row)) continue;
        if (FigureListener* listener = CurrentFigureListener()) listener->Statement(act.procedure, act.row);
        PausaInWaits pausa(run, act, BarFont());
        const StepResult step = Execute(run, act, row);
        if (step.flow != Flow::Next) return step;
        pending = step.input;
        if (act.row < executedRow) run.stage.RepetitionExecuted();
    }
    return ReturnWith(RanToEnd);
}

// Entry steps 6 to 9 with the restart and repeat points.
std::int32_t RunActivation(RunContext& run, Activation& act) {
    for (;;) {
        act.repeatCounter = 0;  // restart point
        if (act.kind == KindMain) act.mode = ModePace;
        StepResult step;
        do {
            step = RunPrologue(run, act);  // repeat point
            if (step.flow == Flow::Next) {
                if (WindowOpen(run)) run.bar.Draw(run.stage, BarFont(), act.paused);
                step = RunStatements(run, act);
            }
        } while (step.flow == Flow::Repeat);
        if (step.flow == Flow::Return) return step.result;
        Restore(run, act);
    }
}

// Run-time errors carry the number of the procedure where they happened.
std::int32_t WithProcedure(const Activation& act, std::int32_t result) {
    if (result == RanToEnd || result == EndReached || (result >> 16) != 0) return result;
    return RunError(act.procedure, result);
}

}  // namespace

std::int32_t RunProcedure(RunContext& run, std::int32_t procedureAndMode, std::int32_t callerPosition) {
    Activation act;
    Enter(run, act, procedureAndMode, callerPosition);
    ++run.depth;
    const std::int32_t result = RunActivation(run, act);
    --run.depth;
    return WithProcedure(act, result);
}

std::int32_t RunMainModule(RunContext& run) { return RunProcedure(run, 0, 0); }

void MakeObjectLists(RunContext& run, std::int32_t points, std::int32_t lines, std::int32_t circles) {
    const auto size = [](std::int32_t count) { return static_cast<std::size_t>(std::max(count, 0)); };
    run.objects.points.assign(size(points), Point{});
    run.objects.lines.assign(size(lines), Line{});
    run.objects.circles.assign(size(circles), Circle{});
    run.visibility.assign(size(std::max({points, lines, circles})) + 1, 0);
}

}  // namespace vekora
