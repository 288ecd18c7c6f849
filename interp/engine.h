// The execution engine: runs one procedure of a compiled script as an activation, from its
// entry through its restart and repeat points to its result.
#pragma once

#include <cstdint>

#include "interp/run_context.h"

namespace vekora {

// The results of an activation besides run-time errors.
constexpr std::int32_t RanToEnd = 0;     // past the last row, or left with Salir
constexpr std::int32_t EndReached = 255; // END: every caller passes it on

// A run-time error result: the error code in the low half, the number of the procedure
// where it happened in the high half.
constexpr std::int32_t RunError(std::int32_t procedure, std::int32_t code) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(procedure) << 16) | (static_cast<std::uint32_t>(code) & 0xFFFF));
}

// Runs the procedure in the low half of procedureAndMode with the call mode in its high
// half. callerPosition: calling procedure * 65536 + the row of the CALL (for a CONSTRUCTION).
std::int32_t RunProcedure(RunContext& run, std::int32_t procedureAndMode, std::int32_t callerPosition);

// Runs the main module: no window yet, call mode PACE. The context's object lists and
// visibility flags must be sized to the symbol counts (MakeObjectLists).
std::int32_t RunMainModule(RunContext& run);

// Zero-filled object lists and visibility flags for the given numbers of points, lines and
// circles.
void MakeObjectLists(RunContext& run, std::int32_t points, std::int32_t lines, std::int32_t circles);

}  // namespace vekora
