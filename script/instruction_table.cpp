// Storage of the instruction table, grown by module as the compiler writes rows.
#include "script/instruction_table.h"

#include <algorithm>

namespace vekora {

void InstructionTable::Reset(std::int32_t modules, std::int32_t rows) {
    modules_.assign(static_cast<std::size_t>(std::max(modules, 0)), {});
    rows_ = std::max(rows, 0);
}

std::int32_t InstructionTable::Word(std::int32_t module, std::int32_t row, int word) const {
    if (!HasModule(module) || row < 0 || word < 0 || word >= WordsPerRow) return 0;
    const auto& rows = modules_[static_cast<std::size_t>(module)];
    if (static_cast<std::size_t>(row) >= rows.size()) return 0;
    return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(word)];
}

InstructionTable::Row& InstructionTable::At(std::int32_t module, std::int32_t row) {
    auto& rows = modules_.at(static_cast<std::size_t>(module));
    const auto needed = static_cast<std::size_t>(row) + 1;
    if (rows.size() < needed) rows.resize(needed, Row{});
    rows_ = std::max(rows_, row + 1);
    return rows[static_cast<std::size_t>(row)];
}

}  // namespace vekora
