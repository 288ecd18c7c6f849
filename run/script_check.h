// The compile-only actions of the command line: --check and --dump-table.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "run/console.h"
#include "run/diagnostic_printer.h"
#include "run/exit_codes.h"
#include "script/instruction_table.h"
#include "script/passes.h"
#include "script/symbols.h"

namespace vekora {

struct CompiledScript {
    bool read = false;  // false: the file could not be read, and nothing was compiled
    ScriptLines lines;
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    CompileNotes notes;
    std::int32_t result = 0;  // 0, -1 or -2 as the compiler returns
};

// How --check tells what it found.
struct CheckOptions {
    DiagnosticFormat format = DiagnosticFormat::Text;  // Json: one object a line on the console's stream
    bool warningsAsErrors = false;                     // --werror
    bool utf8 = false;                                 // the terminal takes UTF-8
};

// Reads and compiles the script file, with its warnings when asked. Deletes a report left by
// an earlier compilation and, with errors, reports them as a run does (console and
// "vekerror.txt", the file only beside a script that was read).
CompiledScript CompileScriptFile(const std::string& path, Console& console, std::ostream& diagnostics,
                                 bool collectWarnings = false);

// Prints every error and warning as FILE:LINE:COLUMN lines on diagnostics (or JSON lines on
// jsonOut) and returns 1 with errors (or with warnings under --werror), else 0.
int CheckScript(const std::string& path, Console& console, std::ostream& diagnostics, const CheckOptions& options = {},
                std::ostream* jsonOut = nullptr);
// As CheckScript, and after a clean compilation prints the symbol lists and the table.
enum class TableListing { Numeric, Symbolic };
int DumpScriptTable(const std::string& path, Console& console, std::ostream& diagnostics,
                    TableListing listing = TableListing::Numeric);

}  // namespace vekora
