// The report of compilation errors: console lines and the file "vekerror.txt" beside
// the script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/language.h"
#include "run/console.h"
#include "script/passes.h"

namespace vekora {

// The script's folder followed by "vekerror.txt"; "/" and "\" both separate folders.
std::string ReportFileName(std::string_view scriptPath);

// The header and, per error, "Error N en la línea L" and eight blanks with the message
// (Latin-1), in the language of `language`. result is -1 (pass 1) or -2 (pass 2).
std::vector<std::string> CompilationReportLines(std::int32_t result, const ErrorLists& errors,
                                                const Catalogue& language = ActiveCatalogue());

// Deletes a report left by an earlier compilation; a missing one is no error.
void DeleteReport(std::string_view scriptPath);

// Whether the report goes into "vekerror.txt": only beside a script that was read.
enum class ReportFile { Write, Skip };

// Prints the report (its first MostDiagnosticsShown errors, then how many more), writes it
// whole (Latin-1, CR LF) to the report file, and names the file when it was written, or says
// that it could not be. Returns whether it was.
bool ReportCompilationErrors(std::string_view scriptPath, std::int32_t result, const ErrorLists& errors,
                             Console& console, ReportFile reportFile = ReportFile::Write);

}  // namespace vekora
