// The warnings of a compilation: mistakes that compile without an error and silently do
// something else than the author meant. Pass 2 hands the collector every line it compiled;
// the collector reads tokens, the symbol table and the table, and never writes to them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"
#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

class Statement;

class WarningCollector {
public:
    // lineCount: the script's lines, to make room once.
    WarningCollector(const InstructionTable& table, const SymbolTable& symbols, std::size_t lineCount);

    // A line pass 2 compiled without error, its tokens classified with the whole table.
    void CompiledLine(std::size_t lineIndex, Statement& s);
    // A line that holds no statement (blank, or a comment from its first token).
    void EmptyLine(std::size_t lineIndex, std::string_view line);
    // Adds the warnings that need the whole script (run order, calls, names) and returns
    // all of them in line order.
    std::vector<Warning> Finish();

private:
    struct NameUse {
        std::int32_t type;
        std::int32_t index;
        LineSpan span;
        char role;
    };
    // A compiled line as the run-order walk needs it.
    struct LineFacts {
        std::int32_t line;  // 1-based
        std::int32_t module;
        std::int32_t opcode;
        std::int32_t callee;  // module a call runs; 0 for other statements
        LineSpan keyword;
        std::uint32_t firstUse;
        std::uint32_t useEnd;
    };
    struct Header {
        std::int32_t module;
        std::int32_t line;
        LineSpan name;
    };
    struct Seen {
        std::int32_t line = 0;  // 0: not seen yet
        LineSpan span;
    };

    void CheckToken(Statement& s, int i, char role, std::int32_t line);
    void CheckNumber(Statement& s, int i, char role, std::int32_t line);
    void NoteName(const Statement& s, int i, std::int32_t type, std::int32_t nameIndex, std::int32_t line);
    void Add(WarningId id, std::int32_t line, LineSpan span, std::string_view subject, std::string_view other = {});
    void WalkRunOrder();
    void FindUncalledProcedures();
    void FindNamesDifferingInCase();

    const InstructionTable& table_;
    const SymbolTable& symbols_;
    std::vector<Warning> warnings_;
    std::vector<LineFacts> facts_;
    std::vector<NameUse> uses_;
    std::vector<Header> headers_;
    struct NameRef {
        std::uint64_t folded;  // hash of the upper-cased name
        std::int32_t type;
        std::int32_t index;
    };
    std::vector<Seen> seen_[SymbolListCount];  // first appearance of each name, by type
    std::vector<NameRef> firstSeen_;           // the names in the order they first appear
};

}  // namespace vekora
