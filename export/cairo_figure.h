// The figure drawn with cairo: onto a PDF page or a picture, and a picture item as PNG bytes.
#pragma once

#include <cairo.h>

#include <string>

#include "export/figure_record.h"

namespace vekora {

struct FigureDrawing {
    bool transparent = false;  // leave the page's background out
};

// Draws the figure in its own pixel units with its top-left at the context's origin.
void DrawFigure(cairo_t* cr, const FigureRecord& record, const FigureDrawing& how);

// The picture item's pixels as a PNG file's bytes; empty when cairo cannot make them.
std::string PngOfPicture(const FigureItem& picture);

}  // namespace vekora
