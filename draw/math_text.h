// Mathematical text: Latin-1 text in which a pair of bytes, MathSignEscape and a code, stands
// for the sign at that code of the Symbol-encoded Greek font family. This is how a script
// written in UTF-8 carries Greek letters and mathematical signs beyond Latin-1 (α, π, √, ≤,
// ⊥, ∠ ...) through the compiler's text literals to the text it draws: the script reader
// writes the pair for each such character, and text drawn with a font that has a sign
// family (FontView::signs) shows the sign at the size of the text around it, on its
// baseline. Every other byte keeps its Latin-1 meaning, so Latin-1 lessons read byte for byte
// as before; the escape is a control byte no lesson's text shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vekora {

inline constexpr char MathSignEscape = '\x1A';

// The bytes a character beyond Latin-1 becomes in mathematical text: one sign pair, or two
// for the parallel sign, which the encoding lacks and which is written as two bars; empty
// when the encoding has no such sign.
std::string MathSignBytes(char32_t character);

// True when the bytes are strict UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsUtf8(std::string_view bytes);

// UTF-8 as mathematical text: Latin-1 as itself, the Greek font's signs as sign pairs, any
// other character, and any byte that is not UTF-8, as "?".
std::string Utf8ToMathText(std::string_view utf8);

// Latin-1 with sign pairs as UTF-8, for a window title or the console.
std::string MathTextToUtf8(std::string_view text);

// The Latin-1 text as a terminal is given it: in UTF-8 when `utf8`, with every control byte
// but TAB and LF shown in caret notation (ESC as "^[", DEL as "^?", the 8-bit controls as
// "M-^["), so that bytes from a script never reach the terminal as escape sequences. A math
// sign (its escape and the byte after it) is kept whole.
std::string TerminalText(std::string_view latin1, bool utf8);
// How many columns TerminalText gives the byte: 2 or 4 for a control shown in caret notation.
std::size_t TerminalColumns(unsigned char byte);

}  // namespace vekora
