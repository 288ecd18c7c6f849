// Compiles small scripts for the statement and pass tests and reads the results back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/disassembler.h"
#include "script/passes.h"
#include "script/table_dump.h"

namespace vekora::testing {

struct Compiled {
    std::int32_t result = 0;
    ErrorLists errors;
    InstructionTable table;
    SymbolTable symbols;

    // (code, 1-based line) pairs.
    std::vector<std::pair<std::int32_t, std::int32_t>> Errors() const {
        std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
        for (std::size_t i = 0; i < errors.codes.size(); ++i) pairs.emplace_back(errors.codes[i], errors.lines[i]);
        return pairs;
    }
    std::vector<std::int32_t> Row(std::int32_t module, std::int32_t row) const {
        std::vector<std::int32_t> words;
        for (int w = 0; w < InstructionTable::WordsPerRow; ++w) words.push_back(table.Word(module, row, w));
        return words;
    }
    // The table by names (script/disassembler.h): its `table` line and every row that is
    // not all zero, each line ended. It opens with a line end too, so that it compares with
    // a raw string literal whose first line starts on the line after R"(.
    std::string Listing() const {
        std::string text = "\n";
        ListTable(table, [&text](const std::string& line) { text += line + '\n'; });
        return text;
    }
    // One row by names, as in the listing without its module and row numbers.
    std::string Line(std::int32_t module, std::int32_t row) const { return DisassembleRow(table, module, row); }
    // A module's rows by names after its header, each that is not all zero: what a case
    // looks for the rows of its statement in, as the listing shows them.
    std::vector<std::string> Rows(std::int32_t module) const {
        std::vector<std::string> rows;
        for (std::int32_t row = 1; row < table.Rows(); ++row) {
            const std::vector<std::int32_t> words = Row(module, row);
            if (std::any_of(words.begin(), words.end(), [](std::int32_t word) { return word != 0; })) {
                rows.push_back(Line(module, row));
            }
        }
        return rows;
    }
};

inline Compiled Compile(const std::vector<std::string>& lines) {
    Compiled compiled;
    compiled.result = ParseScript(lines, compiled.table, compiled.errors, compiled.symbols);
    return compiled;
}

// Compiles a script written on one line, its lines separated by " | ".
inline Compiled CompileLines(std::string_view script) {
    std::vector<std::string> lines;
    for (std::size_t at = 0;;) {
        const std::size_t bar = script.find(" | ", at);
        lines.emplace_back(script.substr(at, bar - at));
        if (bar == std::string_view::npos) break;
        at = bar + 3;
    }
    return Compile(lines);
}

inline std::string Joined(const std::vector<std::string>& words, std::string_view separator) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : std::string(separator)) + word;
    return text;
}

// Word 0 of a statement row: target in the high half, opcode (and I mark) below.
constexpr std::int32_t W0(std::int32_t target, std::int32_t opcode) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(target) << 16) | static_cast<std::uint32_t>(opcode));
}

}  // namespace vekora::testing
