// A plain-text listing of a compiled script: the symbol lists and every word of the
// instruction table. What `vekora --dump-table` prints and what tests read.
#pragma once

#include <functional>
#include <string>

#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

// Calls emit once a line (without line end):
//   symbol T I TEXT        for each entry I of the lists T = 1, 2, 3, 7 and 8
//   table M R              modules and rows a module
//   M R W0 W1 ... W7       every row of every module, words in signed decimal
void DumpTable(const InstructionTable& table, const SymbolTable& symbols,
               const std::function<void(const std::string&)>& emit);

}  // namespace vekora
