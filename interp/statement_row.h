// One row of the instruction table as the engine executes it: opcode, I flag, target and
// operands, with a CONSTRUCTION's object operands already mapped to the caller's objects.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "interp/run_context.h"

namespace vekora {

// The eight words of a row, indexed by word number as the row layout counts them.
struct RowWords {
    std::array<std::int32_t, InstructionTable::WordsPerRow> words{};

    std::int32_t& operator[](std::int32_t word) { return words[static_cast<std::size_t>(word)]; }
    std::int32_t operator[](std::int32_t word) const { return words[static_cast<std::size_t>(word)]; }
};

struct StatementRow {
    std::int32_t opcode = 0;
    bool hidden = false;   // the I variant: computed, not shown
    std::int32_t target = 0;
    RowWords w;  // w[1] to w[7] are the operands

    // A packed 16-bit half of the operands, counted from the low half of word `firstWord`.
    std::int32_t Half(int firstWord, int half) const;
};

// Parameter mapping: the caller's object for an operand of the given type that names one
// of the CONSTRUCTION's formal parameters; any other index unchanged.
std::int32_t MapParameter(const Activation& activation, std::int32_t index, std::int32_t type);

// Reads the current row of the activation. In a CONSTRUCTION every object operand is mapped.
// Returns false when an object operand names no object of the run (a table not made by the
// compiler of this run): such a statement is skipped.
bool DecodeRow(const RunContext& run, const Activation& activation, StatementRow& row);

// Reads row 1 of a CONSTRUCTION and the arguments of the CALL that started it.
void BindParameters(const RunContext& run, Activation& activation);

}  // namespace vekora

namespace vekora {

// Text literal `index` of the symbol table (list 8); empty when there is none of that number.
std::string_view TextLiteral(const RunContext& run, std::int32_t index);

}  // namespace vekora
