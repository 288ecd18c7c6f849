// The figures a command line asks of a run: it records the run's figure while it plays and, at
// its end, writes the figure (--export) and the handout of its moments (--handout). For a
// handout the run plays headless, its waits for the viewer answered at once (ViewerAnswers
// with no delay), so that the lesson advances through them on its own.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "export/figure_record.h"
#include "export/figure_request.h"

namespace vekora {

class FigureOutputs {
public:
    explicit FigureOutputs(const FigureRequest& request);

    void StatementLines(const std::vector<RowPlace>& rows) { recorder_.SetStatementLines(rows); }
    // Writes what was asked, once the run has ended; returns the problems, one a line, and
    // tells the warnings of what was kept as pictures on `diagnostics`.
    std::string Finish(std::ostream& diagnostics);

    // The panels taken so far (the end's panel is added by Finish).
    const std::vector<FigureRecord>& Panels() const { return panels_; }

private:
    FigureRequest request_;
    FigureRecorder recorder_;
    std::vector<FigureRecord> panels_;
};

}  // namespace vekora
