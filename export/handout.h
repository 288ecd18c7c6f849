// A handout: the figure at each moment of a lesson, as numbered panels on sheets of paper, the
// lesson's title heading the first sheet; all vector, written as PDF with cairo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/figure_export.h"
#include "export/figure_record.h"

namespace vekora {

struct HandoutLayout {
    Paper paper = Paper::A4;
    std::int32_t panels = 6;  // panels a sheet
};

// Where panel `index` (0-based, counted on its sheet) lies on a sheet of `layout`, in points.
struct PanelPlace {
    double x, y, width, height;
};
PanelPlace PlaceOfPanel(const HandoutLayout& layout, std::int32_t index, bool titled);

// Writes the panels; returns "" when written, else what went wrong.
std::string WriteHandout(const std::vector<FigureRecord>& panels, const std::string& title, const std::string& path,
                         const HandoutLayout& layout);

}  // namespace vekora
