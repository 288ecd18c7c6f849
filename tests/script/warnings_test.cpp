// Warnings and error places: each warning on a lesson that makes its mistake, silence on
// every example and manual script, the instruction table the same with and without
// warnings, and the column of every kind of error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

#include "draw/math_text.h"
#include "run/script_text.h"
#include "script/diagnostics.h"
#include "script/table_dump.h"
#include "tests/support/compile_support.h"
#include "tests/support/lesson_scripts.h"

namespace vekora {
namespace {

using testing::LessonScript;
using testing::LessonScripts;

// (number, line, column, end column) of each diagnostic.
using Found = std::vector<std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>>;

struct Diagnosed {
    std::int32_t result = 0;
    std::vector<Diagnostic> diagnostics;
    Found Places() const {
        Found found;
        for (const Diagnostic& d : diagnostics) found.emplace_back(d.number, d.line, d.column, d.endColumn);
        return found;
    }
};

Diagnosed Diagnose(const std::vector<std::string>& lines) {
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    CompileNotes notes;
    Diagnosed diagnosed;
    diagnosed.result = ParseScript(lines, table, errors, symbols, notes);
    diagnosed.diagnostics = BuildDiagnostics(lines, errors, notes);
    return diagnosed;
}

struct Lesson {
    std::string_view name;
    std::vector<std::string> lines;
    Found expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Lesson& lesson, std::ostream* out) { *out << lesson.name; }

class WarningLessons : public ::testing::TestWithParam<Lesson> {};

TEST_P(WarningLessons, FireWhereTheMistakeIs) {
    const Diagnosed diagnosed = Diagnose(GetParam().lines);
    EXPECT_EQ(diagnosed.result, 0);
    EXPECT_EQ(diagnosed.Places(), GetParam().expected);
}

const Lesson Lessons[] = {
    {"TypoMakesANewPoint", {"POINT A, 10, 10", "AB = LINE A, Z", "END"}, {{101, 2, 14, 15}}},
    {"ReadBeforeTheProcedureGivesIt",
     {"CALL Make", "M = MIDDLE A, Q", "END", "CONSTRUCTION Make", "POINT A, 1, 1", "POINT Q, 2, 2", "REPEAT",
      "CONSTRUCTION Late", "POINT R, 1, 1", "REPEAT", "L = LINE R, A", "CALL Late"},
     {{101, 11, 10, 11}}},
    {"ParametersAndCalledBodiesCountAsGiven",
     {"POINT A, 1, 1", "CALL Mark A", "CALL Make", "K = CIRCLE A, Q", "INTERACT Drag", "END", "CONSTRUCTION Mark X",
      "MARKPOINT X", "REPEAT", "CONSTRUCTION Make", "POINT Q, 5, 5", "REPEAT", "INTERACTION Drag", "CLICKABLE A, Q",
      "REPEAT"},
     {}},
    {"TracedPointsAreReadAfterEachFrame",
     {"POINT C, 40, 60", "ANIMATE Slide", "END", "CONSTRUCTION Centre", "O = MIDDLE C, C", "REPEAT", "ANIMATION Slide",
      "STEP C, 10, 0", "TRACE O", "CALL Centre", "REPEAT 40"},
     {}},
    {"ChangedBeforeGiven", {"REVERT L", "MOVECIRCLE K, P", "END"}, {{101, 1, 8, 9}, {101, 2, 12, 13}, {101, 2, 15, 16}}},
    {"WordForANumber", {"POINT A, ten, 10", "END"}, {{102, 1, 10, 13}}},
    {"NumberFollowedByText", {"POINT A, 10+5, 10", "LINEPOLAR L, 0, 0, 30deg", "END"}, {{103, 1, 10, 14}, {103, 2, 20, 25}}},
    {"NumbersThatDoNotFit",
     {"POINT A, 40000, 5", "POINT B, 32767.99, -32767", "LINEPOLAR L, 0, 0, 9000000", "SCREEN 1e10, 480", "END"},
     {{104, 1, 10, 15}, {104, 3, 20, 27}, {104, 4, 8, 12}}},
    {"ColoursThatAreNot",
     {"POINT A, 1, 1", "POINT B, 2, 2", "K = CIRCLE A, B, red", "CLS &HZZ0000", "CLS (255, 0, 0)", "CLS 0xFF",
      "CLS 0FFH", "CLS &HFF0000", "CLS DEFAULT", "CLS 255", "TEXT \"t\", (1, 2, 3, 4)", "END"},
     {{105, 3, 18, 21}, {105, 4, 5, 13}, {108, 11, 1, 5}, {105, 11, 11, 23}}},
    {"ArgumentsBeyondTheForm",
     {"POINT A, 1, 2, 3, 4, 5, 6", "INTERACT Drag A", "END now", "INTERACTION Drag", "REPEAT"},
     {{106, 1, 25, 26}, {106, 2, 15, 16}, {106, 3, 5, 8}}},
    {"TabIndentedStatement",
     {"POINT A, 1, 2", "\tPOINT B, 3, 4", "  \tC = CIRCLE A, B", "\t' a comment", "\tthe point is here", "END"},
     {{107, 2, 1, 7}, {107, 3, 3, 14}}},
    {"TextBeforeItsWindow", {"TEXT \"uno\"", "TEXTWINDOW 0, 0, 100, 20", "TEXT \"dos\"", "END"}, {{108, 1, 1, 5}}},
    {"TextWindowSetInAProcedure", {"CALL Box", "TEXT \"uno\"", "END", "CONSTRUCTION Box", "TEXTWINDOW 0, 0, 9, 9", "REPEAT"},
     {}},
    {"ProcedureNeverCalled",
     {"END", "CONSTRUCTION Lonely", "CALL Lonely", "REPEAT", "ANIMATION Used", "REPEAT", "INTERACTION Caller", "ANIMATE Used",
      "REPEAT"},
     {{109, 2, 14, 20}, {109, 7, 13, 19}}},
    {"NamesDifferingInCase",
     {"POINT AB, 1, 1", "POINT B, 2, 2", "L = LINE AB, B", "POINT ab, 3, 3", "l = LINE ab, B", "END"},
     {{110, 4, 7, 9}, {110, 5, 1, 2}}},
};

INSTANTIATE_TEST_SUITE_P(Warnings, WarningLessons, ::testing::ValuesIn(Lessons),
                         [](const ::testing::TestParamInfo<Lesson>& info) { return std::string(info.param.name); });

struct ErrorCase {
    std::vector<std::string> lines;
    std::int32_t number;
    std::int32_t line;
    std::int32_t column;
    std::int32_t endColumn;
};

TEST(ErrorPlaces, PointAtTheOffendingToken) {
    std::string twentyOne = "TEXT";
    for (int i = 0; i < 20; ++i) twentyOne += " a";
    const ErrorCase cases[] = {
        {{"POINT A, 1", "END"}, 12, 1, 11, 11},            // too few: the end of the line
        {{"REVERT L M", "END"}, 11, 1, 10, 11},            // too many: the first extra token
        {{"A POINT 1 2", "END"}, 16, 1, 3, 8},             // keyword in the wrong place
        {{"POINT A, 1, 2 CROSS", "END"}, 14, 1, 15, 20},   // a second keyword
        {{"POINT A 0 0", "CIRCLE A 0 0 1", "END"}, 10, 2, 8, 9},
        {{"TEXT X", "END"}, 10, 1, 6, 7},
        {{"  hello world", "END"}, 13, 1, 3, 8},
        {{twentyOne, "END"}, 11, 1, 44, 45},               // the 21st token
        {{"END", "CALL P X", "CONSTRUCTION P A", "POINT A 1 1", "REPEAT"}, 29, 2, 8, 9},
        {{"END", "CALL Nobody"}, 22, 2, 6, 12},
        {{"POINT A 1 1"}, 36, 1, 12, 12},                  // no END: the end of the script
        {{"POINT P, 1, 1", "ANIMATE S", "END", "ANIMATION S", "STEP P, 1, 2, 3", "REPEAT"}, 11, 5, 15, 16},
        {{"L = LINE A, B", "M = LINE A, B", "C = ARC L, M", "END"}, 12, 3, 13, 13},  // an arc of lines needs its radius
    };
    for (const ErrorCase& c : cases) {
        const Diagnosed diagnosed = Diagnose(c.lines);
        const auto error = std::find_if(diagnosed.diagnostics.begin(), diagnosed.diagnostics.end(),
                                        [](const Diagnostic& d) { return d.severity == Severity::Error; });
        ASSERT_NE(error, diagnosed.diagnostics.end()) << c.lines[0];
        const Diagnostic& first = *error;
        EXPECT_EQ(Found{std::make_tuple(first.number, first.line, first.column, first.endColumn)},
                  (Found{{c.number, c.line, c.column, c.endColumn}}))
            << c.lines[0];
    }
}

TEST(ErrorPlaces, TheLineSaysTheRealCause) {
    // A keyword after the third token is "no keyword" in the numbered report.
    Diagnosed diagnosed = Diagnose({"a b c POINT 1 2", "END"});
    ASSERT_EQ(diagnosed.diagnostics.size(), 1u);
    EXPECT_EQ(diagnosed.diagnostics[0].number, 13);
    EXPECT_EQ(diagnosed.diagnostics[0].column, 7);
    EXPECT_EQ(diagnosed.diagnostics[0].text,
              "La palabra clave es el elemento 4 de la l\xEDnea; ha de ser el primero, el segundo o el tercero");

    // The 65,536th point name is "too many arguments" in the numbered report.
    std::vector<std::string> lines;
    for (int i = 0; i <= 0xFFFF; ++i) lines.push_back("POINT P" + std::to_string(i) + " 0 0");
    lines.push_back("END");
    diagnosed = Diagnose(lines);
    ASSERT_EQ(diagnosed.diagnostics.size(), 1u);
    EXPECT_EQ(diagnosed.diagnostics[0].number, 11);
    EXPECT_EQ(diagnosed.diagnostics[0].line, 0x10000);
    EXPECT_EQ(diagnosed.diagnostics[0].column, 7);
    EXPECT_EQ(diagnosed.diagnostics[0].text, "Demasiados nombres de tipo Punto: cada tipo admite como mucho 65535 nombres");
}

std::string Dump(const InstructionTable& table, const SymbolTable& symbols) {
    std::string dump;
    DumpTable(table, symbols, [&dump](const std::string& line) { dump += line + "\n"; });
    return dump;
}

// No false alarms on the lessons we ship, and warnings never touch what the lesson compiles to.
// (Some of the manual's blocks are parts of a lesson that do not compile alone; they still
// must not warn.)
TEST(Warnings, SilentOnEveryLessonAndTheTableStaysTheSame) {
    const std::vector<LessonScript> scripts = LessonScripts();
    ASSERT_GE(scripts.size(), 8u);
    for (const LessonScript& script : scripts) {
        const std::string& path = script.name;
        const std::vector<std::string>& lines = script.lines;
        InstructionTable plainTable, warnedTable;
        SymbolTable plainSymbols, warnedSymbols;
        ErrorLists plainErrors, warnedErrors;
        CompileNotes notes;
        const std::int32_t plain = ParseScript(lines, plainTable, plainErrors, plainSymbols);
        const std::int32_t warned = ParseScript(lines, warnedTable, warnedErrors, warnedSymbols, notes);
        EXPECT_EQ(plain, warned) << path;
        EXPECT_EQ(Dump(plainTable, plainSymbols), Dump(warnedTable, warnedSymbols)) << path;
        EXPECT_EQ(plainErrors.codes, warnedErrors.codes) << path;
        for (const Warning& w : notes.warnings) {
            ADD_FAILURE() << path << ":" << w.line << ": " << static_cast<int>(w.id) << " " << MathTextToUtf8(WarningText(w));
        }
    }
}

// The tables of the warning lessons too: with warnings or without, the same table.
TEST(Warnings, NeverChangeTheTableOfAScriptWithMistakes) {
    for (const Lesson& lesson : Lessons) {
        InstructionTable plainTable, warnedTable;
        SymbolTable plainSymbols, warnedSymbols;
        ErrorLists plainErrors, warnedErrors;
        CompileNotes notes;
        ParseScript(lesson.lines, plainTable, plainErrors, plainSymbols);
        ParseScript(lesson.lines, warnedTable, warnedErrors, warnedSymbols, notes);
        EXPECT_EQ(Dump(plainTable, plainSymbols), Dump(warnedTable, warnedSymbols)) << lesson.name;
        EXPECT_FALSE(notes.warnings.empty() && !lesson.expected.empty()) << lesson.name;
    }
}

}  // namespace
}  // namespace vekora

namespace vekora {
namespace {

// Random lines from the language's words, names, numbers and stray bytes: every diagnostic
// points into the script, and the table is the same with warnings as without.
TEST(Warnings, RandomScriptsKeepTheirPlacesAndTables) {
    const std::vector<std::string> words = {
        "POINT", "LINE", "CIRCLE", "CROSS", "MIDDLE", "MIDLINE", "ARC", "TEXT", "TEXTWINDOW", "CALL", "CONSTRUCTION",
        "INTERACTION", "ANIMATION", "REPEAT", "CLICKABLE", "TRACE", "STEP", "ALONG", "MENU", "MENUITEM", "ENDMENU",
        "END", "DEFAULT", "A", "a", "B", "L", "l", "C", "P", "Q", "10", "-3.5", "1e9", "10+5", "&HFF0000", "&HZZ",
        "(1, 2, 3)", "red", "\"t\"", "'", "\t", "=", ",", "\xE9", "40000"};
    std::mt19937 random(12);
    for (int script = 0; script < 1500; ++script) {
        std::vector<std::string> lines;
        const int lineCount = 1 + static_cast<int>(random() % 12);
        for (int l = 0; l < lineCount; ++l) {
            std::string line = random() % 5 == 0 ? "\t" : "";
            const int tokens = static_cast<int>(random() % 7);
            for (int t = 0; t < tokens; ++t) line += words[random() % words.size()] + (random() % 3 == 0 ? ", " : " ");
            lines.push_back(line);
        }
        if (random() % 3 != 0) lines.insert(lines.begin() + static_cast<long>(random() % lines.size()), "END");
        InstructionTable plainTable, warnedTable;
        SymbolTable plainSymbols, warnedSymbols;
        ErrorLists plainErrors, warnedErrors;
        CompileNotes notes;
        ParseScript(lines, plainTable, plainErrors, plainSymbols);
        ParseScript(lines, warnedTable, warnedErrors, warnedSymbols, notes);
        ASSERT_EQ(Dump(plainTable, plainSymbols), Dump(warnedTable, warnedSymbols)) << script;
        ASSERT_EQ(plainErrors.codes, warnedErrors.codes) << script;
        for (const Diagnostic& d : BuildDiagnostics(lines, warnedErrors, notes)) {
            ASSERT_GE(d.line, 1) << script;
            ASSERT_LE(static_cast<std::size_t>(d.line), std::max<std::size_t>(lines.size(), 1)) << script;
            const std::size_t length = lines.empty() ? 0 : lines[static_cast<std::size_t>(d.line - 1)].size();
            ASSERT_GE(d.column, 1) << script;
            ASSERT_LE(static_cast<std::size_t>(d.endColumn), length + 1) << script;
            ASSERT_LE(d.column, d.endColumn) << script;
            ASSERT_FALSE(d.text.empty()) << script;
        }
    }
}

}  // namespace
}  // namespace vekora
