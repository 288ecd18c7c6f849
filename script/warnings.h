// The warnings of a compilation: mistakes that compile without an error and silently do
// something else than the author meant. Pass 2 hands the collector every line it compiled;
// the collector reads tokens, the symbol table and the table, and never writes to them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"
#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

class Statement;

class WarningCollector {
public:
    // lines: the script being compiled, kept to find a token again where a warning needs it.
    WarningCollector(const InstructionTable& table, const SymbolTable& symbols, const std::vector<std::string>& lines);

    // A line that pass 2 compiled without error, its tokens classified with the whole table.
    void CompiledLine(std::size_t lineIndex, Statement& s);
    // A line that pass 2 rejected: a call in it still counts as a call of its procedure.
    void FailedLine(Statement& s);
    // A line that holds no statement (blank, or a comment from its first token).
    void EmptyLine(std::size_t lineIndex, std::string_view line);
    // Adds the warnings that need the whole script (run order, calls, names) and returns
    // all of them in line order.
    std::vector<Warning> Finish();

private:
    // A name a statement reads or gives, packed small: the walks go through many of them.
    struct NameUse {
        std::uint16_t index;
        std::uint8_t type;
        char role;
        std::uint8_t token;  // its position in the statement
    };
    // A compiled line as the run-order walk needs it. Its uses are uses_[firstUse, useEnd):
    // the names it reads (and changes) first, then the names it gives.
    struct LineFacts {
        std::int32_t lineIndex;
        std::int32_t module;
        std::int32_t callee;  // module a call runs; 0 for other statements
        std::uint32_t firstUse;
        std::uint32_t useEnd;
        std::int16_t opcode;
        std::uint8_t keyword;  // the keyword's token position
    };
    struct Header {
        std::int32_t module;
        std::int32_t lineIndex;
    };

    void CheckLiteral(Statement& s, int i, char role, std::int32_t line);
    void CheckNumber(Statement& s, int i, char role, std::int32_t line);
    void Add(WarningId id, std::int32_t line, LineSpan span, std::string_view subject, std::string_view other = {});
    // Token `token` of line lineIndex, found again.
    LineSpan TokenSpan(std::int32_t lineIndex, int token) const;
    void WalkRunOrder();
    void FindUncalledProcedures();
    void FindNamesDifferingInCase();

    const InstructionTable& table_;
    const SymbolTable& symbols_;
    const std::vector<std::string>& lines_;
    std::vector<Warning> warnings_;
    std::vector<LineFacts> facts_;
    std::vector<NameUse> uses_;
    std::vector<Header> headers_;
    std::vector<LineFacts> failedCalls_;  // module and callee of calls on rejected lines
};

}  // namespace vekora
