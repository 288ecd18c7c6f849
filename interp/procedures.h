// Procedure calls and pacing statements: CALL in its forms, REPEAT, WAIT and WAITALWAYS with
// and without a time.
#pragma once

#include "interp/run_context.h"
#include "interp/statement_row.h"

namespace vekora {

// CALL, CONSTRUCT, ANIMATE, INTERACT: runs the procedure numbered by the target as a nested
// activation. Only END (255) and runaway recursion (error 20) end the caller too.
StepResult RunCall(RunContext& run, Activation& caller, const StatementRow& row);
// REPEAT [n]: back to the repeat point until the body ran n times (for ever in an INTERACTION).
StepResult RunRepeat(RunContext& run, Activation& activation, const StatementRow& row);
// WAIT, WAITALWAYS [time]
StepResult RunWait(RunContext& run, Activation& activation, const StatementRow& row);

}  // namespace vekora
