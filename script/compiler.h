// The statement compilers of the two passes: one line at a time into the instruction table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"
#include "script/instruction_table.h"
#include "script/symbols.h"

namespace vekora {

class WarningCollector;

// How the rows of the main module between one MENU and its closing row are laid out.
struct MenuShape {
    std::vector<std::int32_t> items;  // MENUITEM rows directly inside the menu
    std::vector<std::int32_t> exits;  // EXITMENU rows directly inside the menu
    std::int32_t closingRow = -1;     // its ENDMENU or REPEATMENU; -1 when none
};

// What a compilation works on: the tables it fills and the position of the statement.
struct Compilation {
    Compilation(InstructionTable& tableToFill, SymbolTable& symbolsToFill)
        : table(tableToFill), symbols(symbolsToFill) {}

    InstructionTable& table;
    SymbolTable& symbols;
    std::int32_t module = 0;  // 0: the main module
    std::int32_t row = 1;
    std::int32_t written = 0;  // the opcode the last line wrote (with its I mark); 0 when none
    // Procedure name index -> module number; 0 while the header has not been met.
    std::vector<std::int32_t> moduleByName;
    // Pass 2: the menus of the main module by the row of their MENU, and the rows of
    // MENUITEM, EXITMENU, ENDMENU and REPEATMENU that a MENU has claimed.
    std::vector<std::int32_t> menuAtRow;  // index into menus, or -1
    std::vector<MenuShape> menus;
    std::vector<std::uint8_t> claimedRows;
    // Where the last line's error stands and why; set whenever a line has an error. Nothing
    // in the table depends on it.
    ErrorPlace blame;
    // Pass 2 hands every compiled line to it when set; it only reads.
    WarningCollector* warnings = nullptr;
    std::size_t lineIndex = 0;

    std::int32_t ModuleOfProcedure(std::int32_t nameIndex) const;
};

// Each returns 0 (compiled), 255 (nothing to compile) or an error code. Pass 1 checks,
// defines new names and writes the opcode; pass 2 checks against the complete symbol
// table and writes the whole row. A procedure header in pass 2 switches the module.
std::int32_t CompileLinePass1(std::string_view line, Compilation& compilation);
std::int32_t CompileLinePass2(std::string_view line, Compilation& compilation);

}  // namespace vekora
