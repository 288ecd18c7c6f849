// The ANIMATION prologue: one frame of the STEP declarations, with the trails of the traced
// points.
#pragma once

#include "interp/run_context.h"

namespace vekora {

// Moves the object of one step entry by one frame. A circle whose radius would fall below 0
// bounces: the radius and the entry's change of radius change sign. Undefined objects stay
// undefined, and so does a point a step leaves without finite coordinates.
void ApplyStep(RunContext& run, StepEntry& step);

// Runs at every pass from the second on: waits one frame (the step time in a paced mode),
// answers the control bar, then moves the stepped objects and draws the trails on the page
// painted back to its entry picture.
StepResult AnimationPrologue(RunContext& run, Activation& activation);

}  // namespace vekora
