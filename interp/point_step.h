// The statements that compute points, each ending with the point step: the point takes its
// style, its visibility, and is drawn and paced by the activation's call mode.
#pragma once

#include "interp/run_context.h"
#include "interp/statement_row.h"

namespace vekora {

// POINT P, x, y [, shape [, colour [, size]]]
void RunPoint(RunContext& run, Activation& activation, const StatementRow& row);
// P = CROSS L1, L2  |  P = MIDDLE P1, P2
void RunCrossLines(RunContext& run, Activation& activation, const StatementRow& row);
void RunMiddle(RunContext& run, Activation& activation, const StatementRow& row);
// P = ADVANCETO P1, P2, d  |  P = ADVANCEON P1, L, d
void RunAdvance(RunContext& run, Activation& activation, const StatementRow& row);
// Q1, Q2 = CROSS C, L  |  CROSS L, C  |  CROSS C1, C2  |  CIRCLEND C
void RunPointPair(RunContext& run, Activation& activation, const StatementRow& row);

// Style words at `firstStyleWord` (shape, colour, size; -1 takes the setting), visibility
// from the I flag, then drawing and pacing by call mode when the point is visible and defined.
void PointStep(RunContext& run, Activation& activation, const StatementRow& row, std::int32_t index,
               int firstStyleWord);

}  // namespace vekora
