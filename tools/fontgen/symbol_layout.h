// Which Unicode character each of the 256 codes of a font family shows.
#pragma once

#include <array>
#include <cstdint>

namespace fontgen {

// What a code of a font holds.
enum class CodeKind {
    Control,   // no ink, no advance, but the font's full height (Latin-1 control codes)
    Empty,     // the empty glyph: width 0 and height 0 (codes the encoding leaves unassigned)
    Character, // the Unicode character in `codepoint`
    Extender   // a piece of a tall bracket, brace or integral: made to span the whole line
               // and join the pieces above and below, so it is cut to the cell rather than
               // allowed to shrink the font
};

struct CodeEntry {
    CodeKind kind = CodeKind::Empty;
    std::uint32_t codepoint = 0;
};

using CodeLayout = std::array<CodeEntry, 256>;

// Latin-1 at its own codes; the C0 and C1 control codes draw nothing.
CodeLayout Latin1Layout();
// The Symbol encoding: Greek letters on the Latin letter codes, the mathematical signs
// of the encoding above 160, and the empty glyph at 0-31, 127-160, 240 and 255.
CodeLayout SymbolLayout();

}  // namespace fontgen
