// The INTERACTION prologue: the viewer drags the clickable points with the mouse, free or
// along a line or circle, and the statements that follow draw the figure again from them.
#pragma once

#include <cstdint>

#include "interp/run_context.h"

namespace vekora {

// A press at most this far from a clickable point, in x and in y (strictly), grabs it.
constexpr std::int32_t HitRadius = 7;

// The first clickable entry (in declaration order) whose defined point lies within the hit
// radius of the page position (x, y); -1 when none does.
std::int32_t ClickableAt(const RunContext& run, const Activation& activation, std::int32_t x, std::int32_t y);

// Grabs clickable entry `entry` with the mouse at the page position (x, y).
void Grab(const RunContext& run, Activation& activation, std::int32_t entry, std::int32_t x, std::int32_t y);

// Moves the grabbed point for the mouse at the page position (x, y): a free point keeps its
// offset from the mouse as at the grab; one on a line goes to the foot of the perpendicular
// from the mouse; one on a circle to the circle's point towards the mouse. Where that has no
// answer (an undefined line or circle, the mouse at the centre) the point stays put.
void MoveGrabbed(RunContext& run, const Activation& activation, std::int32_t x, std::int32_t y);

// Runs at every pass. The first pass only takes the working picture; later ones wait for a
// grab while nothing is grabbed (answering Repetir and Salir of the control bar) and follow
// the mouse while the button is held.
StepResult InteractionPrologue(RunContext& run, Activation& activation);

}  // namespace vekora
