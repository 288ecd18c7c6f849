// What the compiler tells a script's author beyond the numbered report: where each error
// stands in its line, its real cause where the numbered message names another, and the
// warnings about mistakes that compile without an error.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vekora {

// Why a numbered error was raised, where the numbered message says something else.
enum class ErrorCause : std::uint8_t {
    AsNumbered,     // the numbered message says it
    NameListFull,   // error 11: one type already holds the most names its 16-bit index can tell
    TextListFull,   // error 11: the same for the texts
    KeywordTooLate, // error 13: there is a keyword, but after the third token
};

// Bytes [first, end) of the (Latin-1) line; first -1: the line as a whole.
struct LineSpan {
    std::int32_t first = -1;
    std::int32_t end = -1;
};

struct ErrorPlace {
    LineSpan span;
    ErrorCause cause = ErrorCause::AsNumbered;
    std::int32_t detail = 0;  // the list's type for NameListFull
};

// Warnings: numbered apart from the errors, from 101 on.
enum class WarningId : std::int32_t {
    UsedBeforeGiven = 101,
    NotANumber = 102,
    NumberWithText = 103,
    NumberTooLarge = 104,
    NotAColour = 105,
    ExtraArguments = 106,
    TabComment = 107,
    TextBeforeTextWindow = 108,
    ProcedureNeverCalled = 109,
    NameDiffersInCase = 110,
    DecimalComma = 111,
    RepeatWithoutCount = 112,
    TextDoesNotFit = 113,  // found where the fonts are known (run/lesson_compile.h)
};

struct Warning {
    WarningId id;
    std::int32_t line = 0;  // 1-based
    LineSpan span;
    std::string subject;    // the token or name the text quotes (Latin-1)
    std::string other;      // a second name or limit, where the text needs one
};

// Collected beside the numbered errors when a caller asks for them; the instruction table
// and the error lists are the same with or without.
struct CompileNotes {
    bool collectWarnings = true;
    std::vector<ErrorPlace> errorPlaces;  // one an entry of the error lists
    std::vector<Warning> warnings;        // in line order
    // Pass 1's errors of a script without END: the numbered report gives error 36 alone, the
    // diagnostics these as well. Codes, lines and places as in the error lists.
    std::vector<std::int32_t> hiddenCodes;
    std::vector<std::int32_t> hiddenLines;
    std::vector<ErrorPlace> hiddenPlaces;
    // The 1-based source line of each compiled row, keyed by module << 16 | row: what drew a
    // part of a figure is named by its line.
    std::map<std::int32_t, std::int32_t> rowLines;
};

enum class Severity : std::uint8_t { Error, Warning };

// A change of the line that a hint proposes: bytes span of the line become replacement.
struct TextFix {
    LineSpan span;
    std::string replacement;  // Latin-1
};

// One message for an editor or a tool: line and columns count characters of the line
// (one byte a character in Latin-1, which is also one character of the file as written).
struct Diagnostic {
    Severity severity = Severity::Error;
    std::int32_t number = 0;  // error number (low 8 bits of the code) or warning number
    std::int32_t line = 1;    // 1-based
    std::int32_t column = 1;  // 1-based, first character of the offending token
    std::int32_t endColumn = 1;  // one past its last character; equal to column: a point
    std::string text;         // Latin-1
    std::vector<TextFix> fixes;  // the hint's proposed changes (script/hints.h)
};

// The Spanish (Latin-1) text of a warning.
std::string WarningText(const Warning& warning);
// The text of an error as the author should read it: the numbered message, or its real
// cause where that differs.
std::string ErrorText(std::int32_t code, const ErrorPlace& place);

struct ErrorLists;

// Every error and warning of a compilation, in the order of lines and columns. lines are the script's (Latin-1) lines as compiled.
std::vector<Diagnostic> BuildDiagnostics(const std::vector<std::string>& lines, const ErrorLists& errors,
                                         const CompileNotes& notes);

}  // namespace vekora
