// Lists the symbol table and the instruction table as text lines.
#include "script/table_dump.h"

#include "script/disassembler.h"
#include "script/types.h"

namespace vekora {
namespace {

constexpr std::int32_t ListedTypes[] = {TypePoint, TypeLine, TypeCircle, TypeProcedure, TypeTextLiteral};

void ListSymbols(const SymbolTable& symbols, const LineSink& emit, std::string (*typeName)(std::int32_t)) {
    for (const std::int32_t type : ListedTypes) {
        const auto& list = symbols.List(type);
        for (std::size_t i = 0; i < list.size(); ++i) emit("symbol " + typeName(type) + ' ' + std::to_string(i) + ' ' + list[i]);
    }
}

std::string TypeCodeText(std::int32_t type) { return std::to_string(type); }

std::string TableLine(const InstructionTable& table) {
    return "table " + std::to_string(table.Modules()) + ' ' + std::to_string(table.Rows());
}

bool AllZero(const InstructionTable& table, std::int32_t module, std::int32_t row) {
    for (int w = 0; w < InstructionTable::WordsPerRow; ++w) {
        if (table.Word(module, row, w) != 0) return false;
    }
    return true;
}

}  // namespace

void DumpTable(const InstructionTable& table, const SymbolTable& symbols, const LineSink& emit) {
    ListSymbols(symbols, emit, TypeCodeText);
    emit(TableLine(table));
    std::string line;
    for (std::int32_t m = 0; m < table.Modules(); ++m) {
        for (std::int32_t r = 0; r < table.Rows(); ++r) {
            line = std::to_string(m) + ' ' + std::to_string(r);
            for (int w = 0; w < InstructionTable::WordsPerRow; ++w) line += ' ' + std::to_string(table.Word(m, r, w));
            emit(line);
        }
    }
}

void DumpTableSymbolic(const InstructionTable& table, const SymbolTable& symbols, const LineSink& emit) {
    ListSymbols(symbols, emit, TypeLetter);
    ListTable(table, emit);
}

void ListTable(const InstructionTable& table, const LineSink& emit) {
    emit(TableLine(table));
    for (std::int32_t m = 0; m < table.Modules(); ++m) {
        for (std::int32_t r = 0; r < table.Rows(); ++r) {
            if (!AllZero(table, m, r)) emit(std::to_string(m) + ' ' + std::to_string(r) + ' ' + DisassembleRow(table, m, r));
        }
    }
}

}  // namespace vekora
