// Compiles a script file without running it, for --check and --dump-table.
#include "run/script_check.h"

#include <sstream>

#include "run/error_report.h"
#include "run/lesson_compile.h"
#include "run/script_file.h"
#include "script/table_dump.h"

namespace vekora {

CompiledScript CompileScriptFile(const std::string& path, Console& console, std::ostream& diagnostics,
                                 bool collectWarnings) {
    CompiledScript compiled;
    std::optional<ScriptLines> lines = ReadScriptFile(path, diagnostics);
    compiled.read = lines.has_value();
    if (lines) compiled.lines = std::move(*lines);
    compiled.notes.collectWarnings = collectWarnings;
    compiled.result = CompileLesson(compiled.lines, compiled.table, compiled.errors, compiled.symbols, compiled.notes);
    if (compiled.read) DeleteReport(path);
    if (compiled.result != 0) {
        ReportCompilationErrors(path, compiled.result, compiled.errors, console,
                                compiled.read ? ReportFile::Write : ReportFile::Skip);
    }
    return compiled;
}

int CheckScript(const std::string& path, Console& console, std::ostream& diagnostics, const CheckOptions& options,
                std::ostream* jsonOut) {
    const bool json = options.format == DiagnosticFormat::Json;
    // In JSON the numbered report would mix with the objects: it goes only into the file.
    std::ostringstream unused;
    Console quiet(unused, false);
    const CompiledScript compiled = CompileScriptFile(path, json ? quiet : console, diagnostics, true);
    if (!compiled.read) return ExitCompilationErrors;
    const std::vector<Diagnostic> found = BuildDiagnostics(compiled.lines, compiled.errors, compiled.notes);
    std::ostream& out = json && jsonOut != nullptr ? *jsonOut : diagnostics;
    PrintDiagnostics(out, path, compiled.lines, found, options.format, options.utf8);
    if (compiled.result != 0) return ExitCompilationErrors;
    if (options.warningsAsErrors && !compiled.notes.warnings.empty()) return ExitCompilationErrors;
    return ExitRunEnded;
}

int DumpScriptTable(const std::string& path, Console& console, std::ostream& diagnostics, TableListing listing) {
    const CompiledScript compiled = CompileScriptFile(path, console, diagnostics);
    if (compiled.result != 0 || !compiled.read) return ExitCompilationErrors;
    const auto print = [&console](const std::string& line) { console.PrintLine(line); };
    if (listing == TableListing::Symbolic) DumpTableSymbolic(compiled.table, compiled.symbols, print);
    else DumpTable(compiled.table, compiled.symbols, print);
    return 0;
}

}  // namespace vekora
