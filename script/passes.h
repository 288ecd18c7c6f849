// The two compiler passes over a whole script, and VEKS_PARSESCRIPT's work.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script/diagnostics.h"
#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

using ScriptLines = std::vector<std::string>;

// Error codes with their 1-based line numbers (0 for a missing END), in line order.
struct ErrorLists {
    std::vector<std::int32_t> codes;
    std::vector<std::int32_t> lines;
};

// Compiles lines into table and symbols. Returns 0, -1 (errors in pass 1) or -2 (errors
// in pass 2); with errors, `errors` holds exactly them, otherwise it is left untouched.
// Without an END before the first procedure header nothing else is compiled and table
// and symbols are left as they were.
std::int32_t ParseScript(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols);
// The same, and notes receives where each error stands and, when it asks for them, the
// warnings. The table, symbols and errors come out as without notes.
std::int32_t ParseScript(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols,
                         CompileNotes& notes);

// The number of entries of each symbol list 0 to 8.
std::vector<std::int32_t> SymbolCounts(const SymbolTable& symbols);

}  // namespace vekora
