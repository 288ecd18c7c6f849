// The statements that make or change lines and circles, and the fills. Making a figure goes
// through the figure step and then the figure's construction, which draws and paces itself.
#pragma once

#include "interp/run_context.h"
#include "interp/statement_row.h"

namespace vekora {

// LINE, LINEPOLAR, MIDLINE, BISECTOR, TANGENT, STARTLINE, CIRCLE, ARC, MOVECIRCLE.
void RunLineStatement(RunContext& run, Activation& activation, const StatementRow& row);
void RunCircleStatement(RunContext& run, Activation& activation, const StatementRow& row);
// P = COPY P2, L = COPY L2, C = COPY C2, REVERT L, ORDERLINES L1, L2.
void RunCopyOrOrder(RunContext& run, const StatementRow& row);
// FILLTRIANGLE P1, P2, P3 [, colour [, alpha]]  |  FILLCIRCLE C [, colour [, alpha]]
void RunFill(RunContext& run, Activation& activation, const StatementRow& row);

}  // namespace vekora
