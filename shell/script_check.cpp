// Compiles a script file without running it, for --check and --dump-table.
#include "shell/script_check.h"

#include "script/table_dump.h"
#include "shell/error_report.h"
#include "shell/script_file.h"

namespace vekora {

CompiledScript CompileScriptFile(const std::string& path, Console& console, std::ostream& diagnostics) {
    CompiledScript compiled;
    const ScriptLines lines = ReadScriptFile(path, diagnostics);
    compiled.result = ParseScript(lines, compiled.table, compiled.errors, compiled.symbols);
    DeleteReport(path);
    if (compiled.result != 0) ReportCompilationErrors(path, compiled.result, compiled.errors, console);
    return compiled;
}

int CheckScript(const std::string& path, Console& console, std::ostream& diagnostics) {
    return CompileScriptFile(path, console, diagnostics).result == 0 ? 0 : ExitCompilationErrors;
}

int DumpScriptTable(const std::string& path, Console& console, std::ostream& diagnostics, TableListing listing) {
    const CompiledScript compiled = CompileScriptFile(path, console, diagnostics);
    if (compiled.result != 0) return ExitCompilationErrors;
    const auto print = [&console](const std::string& line) { console.PrintLine(line); };
    if (listing == TableListing::Symbolic) DumpTableSymbolic(compiled.table, compiled.symbols, print);
    else DumpTable(compiled.table, compiled.symbols, print);
    return 0;
}

}  // namespace vekora
