// Reading a script file into lines.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vekora {

// The file's lines (Latin-1, without line ends). A file that cannot be read (missing, a
// folder, larger than MaxInputFileBytes) gives nothing, and the reason goes to diagnostics.
std::optional<std::vector<std::string>> ReadScriptFile(const std::string& path, std::ostream& diagnostics);

}  // namespace vekora
