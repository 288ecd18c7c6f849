// Pass 1 (pre-scan, names, rows and procedure headers), pass 2 (pre-pass, complete rows,
// menus) and the compilation of a whole script.
#include "script/passes.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "script/compiler.h"
#include "script/opcodes.h"
#include "script/tokens.h"
#include "script/types.h"
#include "script/warnings.h"

namespace vekora {
namespace {

// Where a pass stands between two lines.
struct Position {
    std::int32_t module = 0;
    std::int32_t row = 1;
    std::int32_t savedMainRow = 0;  // the main module goes on at savedMainRow + 1
};

// What pass 1 left for pass 2: the position after every line, and which lines compiled
// without taking a row.
struct PassOneTrace {
    std::vector<Position> after;
    std::vector<std::uint8_t> noRow;
    std::vector<std::size_t> constructionHeaders;  // the lines that open with CONSTRUCTION
};

struct PreScan {
    bool endFound = false;
    std::int32_t headers = 0;
    std::int32_t longestModule = 0;
    std::vector<std::size_t> constructionHeaders;
};

std::int32_t FirstKeyword(const std::string& line) {
    std::size_t position = 0;
    std::string_view token;
    return NextToken(line, position, token) ? KeywordCode(token) : 0;
}

bool IsHeader(std::int32_t keyword) { return keyword >= KwConstruction && keyword <= KwAnimation; }

PreScan ScanModules(const ScriptLines& lines) {
    PreScan scan;
    std::int32_t latestHeader = 0;
    const auto last = static_cast<std::int32_t>(lines.size()) - 1;
    for (std::int32_t j = 0; j <= last; ++j) {
        const std::int32_t keyword = FirstKeyword(lines[static_cast<std::size_t>(j)]);
        if (IsHeader(keyword)) {
            if (keyword == KwConstruction) scan.constructionHeaders.push_back(static_cast<std::size_t>(j));
            if (scan.headers == 0) scan.longestModule = j;
            ++scan.headers;
            latestHeader = j;
        } else if (keyword == KwRepeat) {
            scan.longestModule = std::max(scan.longestModule, j - latestHeader);
        } else if (keyword == KwEnd && scan.headers == 0) {
            scan.endFound = true;
        }
    }
    if (scan.headers == 0) scan.longestModule = std::max(last, 0);
    return scan;
}

// The error lists, and where each error stands.
struct Findings {
    ErrorLists errors;
    std::vector<ErrorPlace> places;
};

void AddError(Findings& found, std::int32_t code, std::size_t lineIndex, const ErrorPlace& place = {}) {
    found.errors.codes.push_back(code);
    found.errors.lines.push_back(static_cast<std::int32_t>(lineIndex + 1));
    found.places.push_back(place);
}

// A header compiled into the main module's row opens procedure number `procedures`.
void OpenProcedure(Compilation& c, Position& at, std::int32_t opcode, std::int32_t procedures) {
    InstructionTable& table = c.table;
    at.savedMainRow = at.row - 1;
    table.At(0, 0)[HeaderProcedureCount] = procedures;
    const std::int32_t nameIndex = table.Word(0, at.row, HeaderNameIndex);
    InstructionTable::Row& header = table.At(procedures, 0);
    header[HeaderKind] = opcode - OpConstruction + KindConstruction;
    header[HeaderParameterCount] = table.Word(0, at.row, HeaderParameterCount);
    header[HeaderNameIndex] = nameIndex;
    if (static_cast<std::size_t>(nameIndex) >= c.moduleByName.size()) c.moduleByName.resize(static_cast<std::size_t>(nameIndex) + 1, 0);
    c.moduleByName[static_cast<std::size_t>(nameIndex)] = procedures;
    at.module = procedures;
    at.row = header[HeaderKind] == KindConstruction ? 2 : 1;
}

enum class EndCheck { Required, Skipped };

std::int32_t RunPass1(const ScriptLines& lines, Compilation& c, Findings& found, PassOneTrace& trace,
                      EndCheck endCheck = EndCheck::Required) {
    PreScan scan = ScanModules(lines);
    if (!scan.endFound && endCheck == EndCheck::Required) {
        found.errors.codes.assign(1, ErrNoEnd);
        found.errors.lines.assign(1, 0);
        found.places.assign(1, ErrorPlace{});
        return 1;
    }
    c.table.Reset(scan.headers + 1, scan.longestModule + 3);
    c.symbols.Clear();
    c.moduleByName.clear();
    trace.after.assign(lines.size(), Position{});
    trace.noRow.assign(lines.size(), 0);
    trace.constructionHeaders = std::move(scan.constructionHeaders);
    Position at;
    std::int32_t procedures = 0;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        c.module = at.module;
        c.row = at.row;
        c.lineIndex = j;
        const std::int32_t result = CompileLinePass1(lines[j], c);
        if (result != Compiled && result != EmptyStatement) {
            AddError(found, result, j, c.blame);
        } else if (result == Compiled) {
            const std::int32_t opcode = c.written;
            if (IsHeader(opcode) && at.module == 0 && c.table.HasModule(procedures + 1)) {
                OpenProcedure(c, at, opcode, ++procedures);
            } else if (opcode == OpRepeat) {
                c.table.At(at.module, 0)[HeaderEndRow] = at.row + 1;
                at.module = 0;
                at.row = at.savedMainRow + 1;
            } else if (opcode == 0) {
                trace.noRow[j] = 1;
            } else {
                ++at.row;
            }
        }
        trace.after[j] = at;
    }
    std::int32_t& mainEnd = c.table.At(0, 0)[HeaderEndRow];
    mainEnd = (at.module == 0 && at.row > at.savedMainRow) ? at.row : at.savedMainRow + 1;
    // Every module holds its end row, so the rectangular view covers what the engine visits.
    for (std::int32_t m = 0; m < c.table.Modules(); ++m) c.table.At(m, std::max(c.table.Word(m, 0, HeaderEndRow), 0));
    return static_cast<std::int32_t>(found.errors.codes.size());
}

// The menus of the main module, nested menus matched by depth, found in one sweep.
void ShapeMenus(Compilation& c) {
    const std::int32_t endRow = std::max(c.table.Word(0, 0, HeaderEndRow), 0);
    c.menus.clear();
    c.menuAtRow.assign(static_cast<std::size_t>(endRow) + 1, -1);
    c.claimedRows.assign(static_cast<std::size_t>(endRow) + 1, 0);
    std::vector<std::size_t> open;
    for (std::int32_t r = 1; r <= endRow; ++r) {
        const std::int32_t opcode = OpcodeOf(c.table.Word(0, r, 0));
        if (opcode == OpMenu) {
            c.menuAtRow[static_cast<std::size_t>(r)] = static_cast<std::int32_t>(c.menus.size());
            open.push_back(c.menus.size());
            c.menus.emplace_back();
        } else if (open.empty()) {
            continue;
        } else if (opcode == OpMenuItem) {
            c.menus[open.back()].items.push_back(r);
        } else if (opcode == OpExitMenu) {
            c.menus[open.back()].exits.push_back(r);
        } else if (opcode == OpEndMenu || opcode == OpRepeatMenu) {
            c.menus[open.back()].closingRow = r;
            open.pop_back();
        }
    }
}

// Writes the parameter descriptor of every CONSTRUCTION before any call is checked.
void DescribeConstructions(const ScriptLines& lines, const PassOneTrace& trace, Compilation& c) {
    for (const std::size_t header : trace.constructionHeaders) {
        c.module = 0;
        c.row = 0;
        CompileLinePass2(lines[header], c);
    }
}

// The collector, when there is one, sees the lines of the main loop only, not the pre-pass.
std::int32_t RunPass2(const ScriptLines& lines, Compilation& c, Findings& found, const PassOneTrace& trace,
                      WarningCollector* warnings, std::map<std::int32_t, std::int32_t>* rowLines) {
    DescribeConstructions(lines, trace, c);
    ShapeMenus(c);
    c.warnings = warnings;
    Position at;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (trace.noRow[j]) {
            AddError(found, ErrPassMismatch, j);  // pass 1 could not tell the statement's form
            continue;
        }
        c.module = at.module;
        c.row = at.row;
        c.lineIndex = j;
        const std::int32_t result = CompileLinePass2(lines[j], c);
        if (result != Compiled && result != EmptyStatement) {
            AddError(found, result, j, c.blame);
            at = trace.after[j];  // go on where pass 1 went on, so one error does not shift every row
            continue;
        }
        if (result == EmptyStatement || !c.table.HasModule(c.module) || c.row < 0) continue;
        if (rowLines != nullptr) (*rowLines)[c.module << 16 | c.row] = static_cast<std::int32_t>(j + 1);
        if (c.module != at.module) {
            at.savedMainRow = at.row - 1;
            at.module = c.module;
            const std::int32_t kind = c.table.Word(c.module, 0, HeaderKind);
            if (kind == KindConstruction) {
                at.row = 2;
            } else if (kind == KindInteraction || kind == KindAnimation) {
                at.row = 1;
            } else {
                AddError(found, ErrOtherKind, j);
                at.row = c.row + 1;
            }
        } else if (c.table.Word(at.module, at.row, 0) == OpRepeat) {
            at.module = 0;
            at.row = at.savedMainRow + 1;
        } else if (c.table.Word(at.module, at.row, 0) != 0) {
            ++at.row;
        }
    }
    c.warnings = nullptr;
    return static_cast<std::int32_t>(found.errors.codes.size());
}

// A missing END stops pass 1 before its first line; the author still wants to see the
// other mistakes, so the diagnostics get them from a pass 1 on tables of their own.
void FindErrorsBehindNoEnd(const ScriptLines& lines, CompileNotes& notes) {
    InstructionTable table;
    SymbolTable symbols;
    Compilation scratch(table, symbols);
    Findings found;
    PassOneTrace trace;
    RunPass1(lines, scratch, found, trace, EndCheck::Skipped);
    notes.hiddenCodes = std::move(found.errors.codes);
    notes.hiddenLines = std::move(found.errors.lines);
    notes.hiddenPlaces = std::move(found.places);
}

std::int32_t Compile(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols,
                     CompileNotes* notes) {
    Compilation compilation(table, symbols);
    Findings found;
    PassOneTrace trace;
    std::int32_t result = 0;
    if (RunPass1(lines, compilation, found, trace) > 0) {
        result = -1;
        if (notes != nullptr && found.errors.codes.front() == ErrNoEnd) FindErrorsBehindNoEnd(lines, *notes);
    } else {
        std::optional<WarningCollector> collector;
        if (notes != nullptr && notes->collectWarnings) collector.emplace(table, symbols, lines);
        if (RunPass2(lines, compilation, found, trace, collector ? &*collector : nullptr,
                     notes != nullptr ? &notes->rowLines : nullptr) > 0) {
            result = -2;
        }
        if (collector) notes->warnings = collector->Finish();
    }
    if (notes != nullptr) notes->errorPlaces = std::move(found.places);
    if (result != 0) errors = std::move(found.errors);
    return result;
}

}  // namespace

std::int32_t ParseScript(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols) {
    return Compile(lines, table, errors, symbols, nullptr);
}

std::int32_t ParseScript(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols,
                         CompileNotes& notes) {
    notes.warnings.clear();
    notes.hiddenCodes.clear();
    notes.hiddenLines.clear();
    notes.hiddenPlaces.clear();
    return Compile(lines, table, errors, symbols, &notes);
}

std::vector<std::int32_t> SymbolCounts(const SymbolTable& symbols) {
    std::vector<std::int32_t> counts(SymbolListCount);
    for (std::int32_t type = 0; type < SymbolListCount; ++type) counts[static_cast<std::size_t>(type)] = symbols.Count(type);
    return counts;
}

}  // namespace vekora
