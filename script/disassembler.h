// The instruction table read back by opcode names and named operands, one row a line:
//   MIDLINE L0 P2 P3            POINT P1 x=140 y=360 col=&HC00000
// Names and layouts come from the opcode table in script/opcodes.h.
#pragma once

#include <cstdint>
#include <string>

#include "script/instruction_table.h"

namespace vekora {

// The text of one row: its opcode's listing name (with a leading I for the I mark), then
// the target and words 1 to 7 as the layout names them. Objects show as a type letter and
// an index (P2), numbers as their script value (fixed point / 65536, angles / 256, colours
// as &HRRGGBB), -1 in an optional operand as `default`; trailing defaults are left out, as
// a script leaves them out. Row 0 shows the module header, row 1 of a CONSTRUCTION its
// parameters. Every bit of the row shows: a word the layout does not account for is added
// as !wN=value, so two different rows never read the same.
std::string DisassembleRow(const InstructionTable& table, std::int32_t module, std::int32_t row);

// What listings call the objects of a type code: P point, L line, C circle, R procedure,
// T text; ? none, N number, # literal, E label, K keyword.
std::string TypeLetter(std::int32_t type);

}  // namespace vekora
