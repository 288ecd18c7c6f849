// What the command line asks of figures for paper: a figure of the run's end, a handout of its
// steps, and how they are laid out.
#pragma once

#include <cstdint>
#include <string>

namespace vekora {

struct FigureRequest {
    std::string exportFile;   // --export: .svg, .pdf, .png or .tex
    std::string handoutFile;  // --handout: a PDF of panels
    std::string paper;        // "", "a4" or "letter"
    bool transparent = false;
    bool tikzPicture = false;  // --tikz-picture: a .tex figure is the bare tikzpicture
    bool everyStep = false;   // --handout-every step: a panel at every paced step, not only at waits
    std::int32_t panels = 6;  // panels a sheet of the handout

    bool Wanted() const { return !exportFile.empty() || !handoutFile.empty(); }
};

}  // namespace vekora
