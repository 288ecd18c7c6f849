// What an INTERACTION or ANIMATION does before each pass through its statements: the
// per-kind prologue that the engine runs at its repeat point.
#pragma once

#include "interp/run_context.h"

namespace vekora {

// Collects CLICKABLE, STEP and TRACE when the activation starts.
void CollectDeclarations(const RunContext& run, Activation& activation);

// Runs the prologue of the activation's kind; Next lets the statements run.
StepResult RunPrologue(RunContext& run, Activation& activation);

}  // namespace vekora
