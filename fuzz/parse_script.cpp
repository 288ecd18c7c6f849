// Any bytes as a script file: decoded and split as the shell reads files, compiled through
// VEKS_PARSESCRIPT, every error turned into its message; compiled again with the warnings,
// which must leave the result alone and point every diagnostic into the script. Nothing may
// crash, leak or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "run/script_text.h"
#include "script/passes.h"
#include "vekora.h"

namespace {

void FreeStrings(VEKS_StringList& list) {
    for (int32_t i = 0; i < list.count; ++i) std::free(list.items[i].bytes);
    std::free(list.items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = vekora::SplitScriptText(vekora::ScriptTextToLatin1(bytes));
    std::vector<VEKS_String> items;
    for (std::string& line : lines) items.push_back(VEKS_String{line.data(), static_cast<int32_t>(line.size())});
    const VEKS_StringList script{items.data(), static_cast<int32_t>(items.size())};

    VEKS_Table table{};
    VEKS_IntList codes{};
    VEKS_IntList errorLines{};
    VEKS_Symbols symbols{};
    VEKS_IntList counts{};
    const int32_t result = VEKS_PARSESCRIPT(&script, &table, &codes, &errorLines, &symbols, &counts);
    if (result != 0 && (codes.count != errorLines.count || codes.count == 0)) std::abort();
    for (int32_t i = 0; i < codes.count; ++i) {
        const VEKS_String message = VEKS_ERRORMSG(&codes.items[i]);
        if (message.bytes == nullptr || message.length == 0) std::abort();
        std::free(message.bytes);
    }
    vekora::InstructionTable warnedTable;
    vekora::SymbolTable warnedSymbols;
    vekora::ErrorLists warnedErrors;
    vekora::CompileNotes notes;
    if (vekora::ParseScript(lines, warnedTable, warnedErrors, warnedSymbols, notes) != result) std::abort();
    for (const vekora::Diagnostic& d : vekora::BuildDiagnostics(lines, warnedErrors, notes)) {
        if (d.line < 1 || (!lines.empty() && static_cast<std::size_t>(d.line) > lines.size())) std::abort();
        const std::size_t length = lines.empty() ? 0 : lines[static_cast<std::size_t>(d.line - 1)].size();
        if (d.column < 1 || d.column > d.endColumn || static_cast<std::size_t>(d.endColumn) > length + 1) std::abort();
    }
    std::free(table.words);
    std::free(codes.items);
    std::free(errorLines.items);
    std::free(counts.items);
    for (VEKS_StringList& list : symbols.lists) FreeStrings(list);
    return 0;
}
