// The instruction table: modules of rows of eight words (layout in script/opcodes.h).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vekora {

class InstructionTable {
public:
    static constexpr int WordsPerRow = 8;
    using Row = std::array<std::int32_t, WordsPerRow>;

    // Modules 0 to modules - 1, each of at least `rows` rows, all zero.
    void Reset(std::int32_t modules, std::int32_t rows);

    std::int32_t Modules() const { return static_cast<std::int32_t>(modules_.size()); }
    // The rectangular view's row count: the most rows any module holds.
    std::int32_t Rows() const { return rows_; }
    bool HasModule(std::int32_t module) const { return module >= 0 && module < Modules(); }

    // Zero outside the table.
    std::int32_t Word(std::int32_t module, std::int32_t row, int word) const;
    // The row for writing; the module grows to hold it. The module must exist and the
    // row must not be negative.
    Row& At(std::int32_t module, std::int32_t row);

private:
    // Each module holds only the rows written so far; the rest read as zero. A module's
    // rows therefore cost memory by what it uses, not by the longest module.
    std::vector<std::vector<Row>> modules_;
    std::int32_t rows_ = 0;
};

}  // namespace vekora
