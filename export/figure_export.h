// Writing a recorded figure to a file, the format chosen by the file's extension: .svg, .pdf,
// .png or .tex.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "export/figure_record.h"
#include "i18n/language.h"

namespace vekora {

// Why a figure or a handout is not written: the run made no page to draw.
constexpr std::string_view NoPageText = N_("the run drew no page");

enum class Paper { Figure, A4, Letter };

struct FigureExportOptions {
    Paper paper = Paper::Figure;  // a PDF page of the figure's size, or a sheet with it fitted
    std::int32_t scale = 1;       // pixels of a PNG for each pixel of the figure
    bool transparent = false;     // a PNG without the page's background
    bool tikzPicture = false;     // a .tex file holds the tikzpicture alone, not a document
};

// Whether the file name ends in an extension a figure can be written as.
bool IsFigureFile(const std::string& path);

// Writes the figure; returns "" when written, else what went wrong.
std::string WriteFigure(const FigureRecord& record, const std::string& path, const FigureExportOptions& options);

// A PDF point is 1/72 inch; a figure pixel is taken as 1/96 inch, as SVG takes it.
constexpr double PointsPerPixel = 72.0 / 96.0;
// The size of a sheet in points, portrait.
struct PaperSize {
    double width;
    double height;
};
PaperSize SizeOfPaper(Paper paper);

}  // namespace vekora
