// Plain-text listings of a compiled script: the symbol lists and the instruction table,
// word for word (`vekora --dump-table`) or by opcode names (what tests compare against).
#pragma once

#include <functional>
#include <string>

#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

using LineSink = std::function<void(const std::string&)>;

// Calls emit once a line (without line end):
//   symbol T I TEXT        for each entry I of the lists T = 1, 2, 3, 7 and 8
//   table M R              modules and rows a module
//   M R W0 W1 ... W7       every row of every module, words in signed decimal
void DumpTable(const InstructionTable& table, const SymbolTable& symbols, const LineSink& emit);

// The same by names (script/disassembler.h):
//   symbol P I TEXT        with the type's letter: P, L, C, R and T
//   table M R
//   M R NAME OPERANDS      every row that is not all zero
void DumpTableSymbolic(const InstructionTable& table, const SymbolTable& symbols, const LineSink& emit);
// Only the table line and the rows.
void ListTable(const InstructionTable& table, const LineSink& emit);

}  // namespace vekora
