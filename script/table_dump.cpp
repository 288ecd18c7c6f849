// Lists the symbol table and the instruction table as text lines.
#include "script/table_dump.h"

#include "script/types.h"

namespace vekora {

void DumpTable(const InstructionTable& table, const SymbolTable& symbols,
               const std::function<void(const std::string&)>& emit) {
    for (const std::int32_t type : {TypePoint, TypeLine, TypeCircle, TypeProcedure, TypeTextLiteral}) {
        const auto& list = symbols.List(type);
        for (std::size_t i = 0; i < list.size(); ++i) {
            emit("symbol " + std::to_string(type) + ' ' + std::to_string(i) + ' ' + list[i]);
        }
    }
    emit("table " + std::to_string(table.Modules()) + ' ' + std::to_string(table.Rows()));
    std::string line;
    for (std::int32_t m = 0; m < table.Modules(); ++m) {
        for (std::int32_t r = 0; r < table.Rows(); ++r) {
            line = std::to_string(m) + ' ' + std::to_string(r);
            for (int w = 0; w < InstructionTable::WordsPerRow; ++w) line += ' ' + std::to_string(table.Word(m, r, w));
            emit(line);
        }
    }
}

}  // namespace vekora
