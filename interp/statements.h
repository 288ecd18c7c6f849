// The statement families the engine dispatches each row to, one section a family; each
// family's statements live in the file named in its section.
//
// Sections: points | lines, circles, copies and fills | marks | procedures and pacing | settings
#pragma once

#include <cstdint>

#include "interp/run_context.h"
#include "interp/statement_row.h"
#include "settings/settings.h"

namespace vekora {

// --- Points (interp/point_step.cpp) ---
// The statements that compute points, each ending with the point step: the point takes its
// style, its visibility, and is drawn and paced by the activation's call mode. Each returns
// the input code that cut its pauses short (0: none did), for the control bar to read before
// the next row.

// POINT P, x, y [, shape [, colour [, size]]]
std::int32_t RunPoint(RunContext& run, Activation& activation, const StatementRow& row);
// P = CROSS L1, L2  |  P = MIDDLE P1, P2
std::int32_t RunCrossLines(RunContext& run, Activation& activation, const StatementRow& row);
std::int32_t RunMiddle(RunContext& run, Activation& activation, const StatementRow& row);
// P = ADVANCETO P1, P2, d  |  P = ADVANCEON P1, L, d
std::int32_t RunAdvance(RunContext& run, Activation& activation, const StatementRow& row);
// Q1, Q2 = CROSS C, L  |  CROSS L, C  |  CROSS C1, C2  |  CIRCLEND C
std::int32_t RunPointPair(RunContext& run, Activation& activation, const StatementRow& row);

// Style words at `firstStyleWord` (shape, colour, size; -1 takes the setting), visibility
// from the I flag, then drawing and pacing by call mode when the point is visible and defined.
// `input` is the code that has already cut this statement's pauses short (0: none), which
// skips the point's pauses; returns the code after them.
std::int32_t PointStep(RunContext& run, Activation& activation, const StatementRow& row, std::int32_t index,
                       int firstStyleWord, std::int32_t input);

// --- Lines, circles, copies and fills (interp/figure_statements.cpp) ---
// The statements that make or change lines and circles, and the fills. Making a figure goes
// through the figure step and then the figure's construction, which draws and paces itself.
// The figure statements and the fills return the input code that cut their pauses short.

// LINE, LINEPOLAR, MIDLINE, BISECTOR, TANGENT, STARTLINE, CIRCLE, ARC, MOVECIRCLE.
std::int32_t RunLineStatement(RunContext& run, Activation& activation, const StatementRow& row);
std::int32_t RunCircleStatement(RunContext& run, Activation& activation, const StatementRow& row);
// P = COPY P2, L = COPY L2, C = COPY C2, REVERT L, ORDERLINES L1, L2.
void RunCopyOrOrder(RunContext& run, const StatementRow& row);
// FILLTRIANGLE P1, P2, P3 [, colour [, alpha]]  |  FILLCIRCLE C [, colour [, alpha]]
std::int32_t RunFill(RunContext& run, Activation& activation, const StatementRow& row);

// --- Marks (interp/mark_statements.cpp) ---
// MARKPOINT, MARKLINE, MARKANGLE, MARKNUMBERLINE and MARKNUMBERANGLE: labels and measures
// drawn on the page with the resident fonts.

void RunMark(RunContext& run, Activation& activation, const StatementRow& row);

// --- Procedures and pacing (interp/procedures.cpp) ---
// Procedure calls and pacing statements: CALL in its forms, REPEAT, WAIT and WAITALWAYS with
// and without a time.

// CALL, CONSTRUCT, ANIMATE, INTERACT: runs the procedure numbered by the target as a nested
// activation. Only END (255) and runaway recursion (error 20) end the caller too.
StepResult RunCall(RunContext& run, Activation& caller, const StatementRow& row);
// REPEAT [n]: back to the repeat point until the body ran n times (for ever in an INTERACTION).
StepResult RunRepeat(RunContext& run, Activation& activation, const StatementRow& row);
// WAIT, WAITALWAYS [time]. A timed wait hands on the input code that cut it short.
StepResult RunWait(RunContext& run, Activation& activation, const StatementRow& row);

// --- Settings (interp/settings_statements.cpp) ---
// SPEED, FRAMESPEED, DEFAULTS and TOOLDEFAULTS: statements that change the program settings
// for the rest of the run, across procedures.

// SPEED n: step time and animation time, in ms.
void RunSpeed(Settings& settings, const StatementRow& row);
// FRAMESPEED n: frame time in ms, and in seconds.
void RunFrameSpeed(Settings& settings, const StatementRow& row);
// DEFAULTS: words 1 to 7, unpacked into the named settings here and nowhere else. A word of
// -1, or a half of 0xFFFF in a packed word, keeps that setting, as -1 keeps the setting
// everywhere else in the language.
void RunDefaults(Settings& settings, const StatementRow& row);
// TOOLDEFAULTS: instrument defaults 1 to n - 1 from words 1 to n - 1, n the argument count
// kept within 2 to 8.
void RunToolDefaults(Settings& settings, const StatementRow& row);

}  // namespace vekora
