// The drawing page: showing it on the screen, pictures copied from it and painted back, and
// the paced wait that follows a drawing statement.
#pragma once

#include "interp/run_context.h"

namespace vekora {

inline bool WindowOpen(const RunContext& run) { return run.screen.depth != 0; }

// Makes `page` the drawing page, the stage's too.
void SetPage(RunContext& run, OwnedImage page);

// Puts the page on the screen at the drawing origin (plain copy). Nothing without a page.
void ShowPage(const RunContext& run);

// A copy of the page, same size; empty without a page.
OwnedImage CopyOfPage(const RunContext& run);
// Paints a picture onto the page at (0, 0) (plain copy).
void PaintOnPage(const RunContext& run, ImageHandle picture);

// Whether a statement that draws shows the page afterwards: always but in a CONSTRUCTION
// running FAST, whose picture is shown by the statement after it.
bool ShowsAfterDrawing(const Activation& activation);

}  // namespace vekora
