// Diagnostics as editors and tools read them: "FILE:LINE:COLUMN: error[13]: text" or
// "...: warning: text", then the source line and a caret under the offending token; or one
// JSON object a line.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"

namespace vekora {

enum class DiagnosticFormat { Text, Json };

// lines are the (Latin-1) lines the diagnostics point into. Text goes out as UTF-8 when
// utf8 is set, else as Latin-1, its control bytes shown (TerminalText), the first
// MostDiagnosticsShown diagnostics and a count of the rest; JSON, for tools, is always UTF-8
// and whole.
void PrintDiagnostics(std::ostream& out, std::string_view path, const std::vector<std::string>& lines,
                      const std::vector<Diagnostic>& diagnostics, DiagnosticFormat format, bool utf8);

// "error[13]" or "warning", in the process's language (Latin-1).
std::string SeverityWords(const Diagnostic& diagnostic);
// One diagnostic as text: the message line, the source line and the caret line.
std::string DiagnosticText(std::string_view path, const std::vector<std::string>& lines, const Diagnostic& diagnostic);
// One diagnostic as a JSON object on one line (UTF-8).
std::string DiagnosticJson(std::string_view path, const Diagnostic& diagnostic);
// A UTF-8 text as a JSON string, quotes included.
std::string JsonString(std::string_view utf8);

}  // namespace vekora
