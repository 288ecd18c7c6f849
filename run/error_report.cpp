// Writes the compilation error report to the console and to "vekerror.txt".
#include "run/error_report.h"

#include <cstdio>
#include <memory>

#include "platform/whole_file.h"
#include "script/messages.h"

namespace vekora {

std::string ReportFileName(std::string_view scriptPath) {
    const std::size_t last = scriptPath.find_last_of("/\\");
    std::string folder;
    if (last != std::string_view::npos && last > 0) folder = std::string(scriptPath.substr(0, last + 1));
    else if (last == 0 && scriptPath[0] == '/') folder = "/";  // a script at the root of the file system
    return folder + "vekerror.txt";
}

std::vector<std::string> CompilationReportLines(std::int32_t result, const ErrorLists& errors,
                                                const Catalogue& language) {
    std::vector<std::string> lines;
    lines.push_back(TrFormat(language, result == -2 ? N_("%s Errores en el Paso 2.") : N_("%s Errores en el Paso 1."),
                           {std::to_string(errors.codes.size())}));
    for (std::size_t i = 0; i < errors.codes.size(); ++i) {
        const std::int32_t code = errors.codes[i];
        const std::int32_t line = i < errors.lines.size() ? errors.lines[i] : 0;
        lines.push_back(
            TrFormat(language, N_("Error %s en la l\xEDnea %s"), {std::to_string(code & 255), std::to_string(line)}));
        lines.push_back("        " + ErrorMessage(code, language));
    }
    return lines;
}

void DeleteReport(std::string_view scriptPath) { std::remove(ReportFileName(scriptPath).c_str()); }

bool ReportCompilationErrors(std::string_view scriptPath, std::int32_t result, const ErrorLists& errors,
                             Console& console, ReportFile reportFile) {
    const std::string fileName = ReportFileName(scriptPath);
    std::unique_ptr<AtomicFile> report;
    if (reportFile == ReportFile::Write) report = std::make_unique<AtomicFile>(fileName);
    std::FILE* file = report && report->Ready() ? std::fopen(report->TempPath().c_str(), "wb") : nullptr;
    bool written = file != nullptr;
    // The header and two lines an error on the console; every line in the file, which other
    // programs read: it keeps the specified Spanish in every language.
    const std::size_t linesShown = 1 + 2 * MostDiagnosticsShown;
    std::size_t lineNumber = 0;
    for (const std::string& line : CompilationReportLines(result, errors)) {
        if (lineNumber++ < linesShown) console.PrintLine(line);
    }
    if (file != nullptr) {
        for (const std::string& line : CompilationReportLines(result, errors, SourceTexts())) {
            written = std::fwrite(line.data(), 1, line.size(), file) == line.size() && written;
            written = std::fwrite("\r\n", 1, 2, file) == 2 && written;
        }
    }
    if (file != nullptr) written = std::fclose(file) == 0 && written;
    if (errors.codes.size() > MostDiagnosticsShown)
        console.PrintLine(TrFormat(N_("... y %s errores m\xE1s"), {std::to_string(errors.codes.size() - MostDiagnosticsShown)}));
    written = written && report->Commit().empty();
    if (written) console.PrintLine(TrFormat(N_("Reporte de errores escrito en %s"), {fileName}));
    else if (reportFile == ReportFile::Write)
        console.PrintLine(TrFormat(N_("No se pudo escribir el reporte de errores en %s"), {fileName}));
    return written;
}

}  // namespace vekora
