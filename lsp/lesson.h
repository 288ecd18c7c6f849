// One lesson open in the editor: its text as the compiler reads it, compiled on every change,
// with its diagnostics and, built when first asked, where each name stands.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"
#include "script/instruction_table.h"
#include "script/passes.h"
#include "script/symbols.h"
#include "script/types.h"

namespace vekora::lsp {

// A name where it stands: 0-based line, bytes of the (Latin-1) line, and its symbol.
struct NameAt {
    std::int32_t line = 0;
    LineSpan span;
    std::int32_t type = 0;
    std::int32_t index = 0;
};

class Lesson {
public:
    // The editor's text (UTF-8, or Latin-1 bytes as a file may hold them).
    void SetText(std::string_view text);

    const ScriptLines& Lines() const { return lines_; }
    const std::vector<Diagnostic>& Diagnostics() const { return diagnostics_; }
    // The names of the lesson; with END missing, as if it were there, so that completion and
    // navigation work while the lesson is being written.
    SymbolTable& Symbols() { return symbols_; }
    const InstructionTable& Table() const { return table_; }

    // Every name of the lesson where it stands, in line order.
    const std::vector<NameAt>& Names();
    // The name at byte `byte` of `line` (its end included), or null.
    const NameAt* NameAtByte(std::int32_t line, std::int32_t byte);
    // Where a name was made: the procedure's header for a procedure, otherwise its first
    // appearance, where the compiler gave it its type.
    const NameAt* Definition(std::int32_t type, std::int32_t index);
    std::vector<NameAt> Uses(std::int32_t type, std::int32_t index);

    // Editor positions count UTF-16 units; a mathematical sign is two bytes of the line
    // (0x1A and its code) and one unit.
    std::int32_t ByteOf(std::int32_t line, std::int32_t character) const;
    std::int32_t CharacterOf(std::int32_t line, std::int32_t byte) const;

private:
    ScriptLines lines_;
    InstructionTable table_;
    SymbolTable symbols_;
    ErrorLists errors_;
    CompileNotes notes_;
    std::vector<Diagnostic> diagnostics_;
    std::vector<NameAt> names_;
    std::array<std::vector<std::int32_t>, SymbolListCount> madeAt_;  // by type and index: where in names_
    bool namesBuilt_ = false;
};

}  // namespace vekora::lsp
