// The compile-only actions of the command line: --check and --dump-table.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "script/instruction_table.h"
#include "script/passes.h"
#include "script/symbols.h"
#include "shell/console.h"

namespace vekora {

constexpr int ExitCompilationErrors = 1;

struct CompiledScript {
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    std::int32_t result = 0;  // 0, -1 or -2 as the compiler returns
};

// Reads and compiles the script file. Deletes a report left by an earlier compilation
// and, with errors, reports them as a run does (console and "vekerror.txt").
CompiledScript CompileScriptFile(const std::string& path, Console& console, std::ostream& diagnostics);

// Exit code 0 when the script compiles, 1 with errors.
int CheckScript(const std::string& path, Console& console, std::ostream& diagnostics);
// As CheckScript, and after a clean compilation prints the symbol lists and the table.
enum class TableListing { Numeric, Symbolic };
int DumpScriptTable(const std::string& path, Console& console, std::ostream& diagnostics,
                    TableListing listing = TableListing::Numeric);

}  // namespace vekora
