// MARKPOINT, MARKLINE, MARKANGLE, MARKNUMBERLINE and MARKNUMBERANGLE: labels and measures
// drawn on the page with the resident fonts.
#pragma once

#include "interp/run_context.h"
#include "interp/statement_row.h"

namespace vekora {

void RunMark(RunContext& run, Activation& activation, const StatementRow& row);

}  // namespace vekora
