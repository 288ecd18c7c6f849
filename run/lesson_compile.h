// Compiling a lesson as the programs do: the compiler's passes and warnings, and the warnings
// that need the fonts, which the compiler does not know: a TEXT that will not show whole in
// its text window.
#pragma once

#include <cstdint>

#include "script/passes.h"

namespace vekora {

// As ParseScript with notes; when the lesson compiles and notes ask for warnings, they also
// get TextDoesNotFit for each TEXT of the main module whose window's size the lesson gives
// before it (a call or a menu between them leaves the size unknown).
std::int32_t CompileLesson(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols,
                           CompileNotes& notes);

// The TextDoesNotFit warnings of a lesson, in line order.
std::vector<Warning> TextFitWarnings(const ScriptLines& lines);

}  // namespace vekora
