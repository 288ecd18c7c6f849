// A figure as TikZ: a LaTeX document of its own, one page the figure's size, that pdflatex
// compiles, or the bare tikzpicture for a document to \input. A page unit is 1/96 inch (0.75 bp,
// the length a PDF figure gives it), so the picture has the size of the SVG and PDF figures.
// Text is set in the document's sans-serif font, each character at the cell the program's font
// gave it; pictures (pixels no figure describes) become filled rectangles, one a run of a colour.
#pragma once

#include <string>

#include "export/figure_record.h"

namespace vekora {

struct TikzOptions {
    bool transparent = false;  // leave the page's background out
    bool pictureOnly = false;  // the tikzpicture alone, for \input; it needs \usepackage{tikz}
};

std::string TikzOfFigure(const FigureRecord& record, const TikzOptions& options);

}  // namespace vekora
