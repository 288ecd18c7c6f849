// What each token of a compiled statement form is for, one letter a token position, as the
// warnings read them. The table says nothing the compiler needs: the statement families
// decide the rows.
#pragma once

#include <cstdint>
#include <string_view>

namespace vekora {

// Letters of a role string:
//   k keyword          o name the statement gives a value    i name it reads
//   b name it reads and changes                               r procedure name
//   p parameter of a CONSTRUCTION (given by every call)
//   d name declared for later (TRACE: read after each frame, not when the line runs)
//   * the letter before it stands for every further token
//   f fixed-point number (value x 65536)   a angle (x 256)    n integer   s integer x 256
//   h 16-bit half (cut, never too large)   c colour           t text
// A form takes at most as many tokens as its string has letters, unless it ends with '*'.
namespace role {
constexpr char Keyword = 'k', Output = 'o', Input = 'i', Changed = 'b', Procedure = 'r', Parameter = 'p',
               Declared = 'd', Repeated = '*', Fixed = 'f', Angle = 'a', Integer = 'n', Shifted = 's', Half = 'h',
               Colour = 'c', Text = 't';
}

// The roles of the form compiled to opcode (bits 0-9). MARKLINE and MARKNUMBERLINE have three
// forms: markLineForm 0 alone, 1 two points, 2 numbers. Calls of INTERACTION and ANIMATION
// are "kr" (or "krk" with a pace word); calls of a CONSTRUCTION "kri*" (or "krki*").
std::string_view RolesOf(std::int32_t opcode, int markLineForm = 0);

// Whether keyword `code` (plain, without the I mark) opens a statement form when it stands
// at token position m (0, 1 or 2).
bool KeywordFitsPosition(std::int32_t code, int m);

}  // namespace vekora
