// A figure as an SVG 1.1 document: text as text in the outline family of the resident fonts,
// one group a statement with its line number as its id, so that a drawing program edits it.
#pragma once

#include <string>

#include "export/figure_record.h"

namespace vekora {

struct SvgOptions {
    bool transparent = false;  // leave the page's background out
};

std::string SvgOfFigure(const FigureRecord& record, const SvgOptions& options);

}  // namespace vekora
