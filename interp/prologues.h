// What an INTERACTION or ANIMATION does before each pass through its statements: the
// per-kind prologue that the engine runs at its repeat point, and the declarations
// (CLICKABLE, STEP, TRACE) it works from.
//
// Sections: declarations and dispatch (interp/prologues.cpp) | INTERACTION | ANIMATION
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

// --- INTERACTION (interp/interaction.cpp) ---
// The INTERACTION prologue: the viewer drags the clickable points with the mouse, free or
// along a line or circle, and the statements that follow draw the figure again from them.

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

// --- ANIMATION (interp/animation.cpp) ---
// The ANIMATION prologue: one frame of the STEP declarations, with the trails of the traced
// points.

// Moves the object of one step entry by one frame. A circle whose radius would fall below 0
// bounces: the radius and the entry's change of radius change sign. Undefined objects stay
// undefined, and so does a point a step leaves without finite coordinates.
void ApplyStep(RunContext& run, StepEntry& step);

// Runs at every pass from the second on: waits one frame (the step time in a paced mode),
// answers the control bar, then moves the stepped objects and draws the trails on the page
// painted back to its entry picture.
StepResult AnimationPrologue(RunContext& run, Activation& activation);

}  // namespace vekora
