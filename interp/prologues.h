// What an INTERACTION or ANIMATION does before each pass through its statements: the
// per-kind prologue that the engine runs at its repeat point, and the declarations
// (CLICKABLE, STEP, TRACE) it works from.
#pragma once

#include <cstdint>

#include "interp/run_context.h"

namespace vekora {

// The constraint word of a clickable point or a step: what the object moves along.
constexpr std::int32_t AlongLine = 0x20000;    // | line index
constexpr std::int32_t AlongCircle = 0x30000;  // | circle index; also marks a stepped circle
constexpr std::int32_t SteppedPoint = 0x10000; // | point index, in StepEntry::object
constexpr std::int32_t KindOf(std::int32_t tagged) { return tagged & 0x7FFF0000; }
constexpr std::int32_t IndexOf(std::int32_t tagged) { return tagged & 0xFFFF; }

// Collects the CLICKABLE, STEP and TRACE rows of the activation's procedure, in row order,
// when it starts. Entries naming objects this run does not have are left out.
void CollectDeclarations(const RunContext& run, Activation& activation);

// Runs the prologue of the activation's kind; Next lets the statements run.
StepResult RunPrologue(RunContext& run, Activation& activation);

}  // namespace vekora
