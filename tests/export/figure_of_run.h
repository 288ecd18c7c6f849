// The figure a headless run of a script leaves, as SVG: what the export tests compare.
#pragma once

#include <cstdint>
#include <string>

#include "export/figure_record.h"
#include "run/run_script.h"

namespace vekora {

std::string Svg(const FigureRecord& record);

// Plays `script` headless at render `scale` until it ends (or at most ten minutes of its clock).
std::string SvgOfRun(const ScriptLines& script, std::int32_t scale = 1);

}  // namespace vekora
