// Hints: a mistake named with its fix. They add to a numbered error's diagnostic line (never
// to the numbered report) the keyword meant by an unknown word, the argument missing and the
// statement's form, why a statement is not allowed where it stands, why a parameter has no
// type; and they propose the change an editor can make (a quick fix).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"

namespace vekora {

struct ErrorHint {
    std::string text;      // appended to the error's text; empty: no hint
    LineSpan span;         // where the error stands, when the hint places it better; first -1: as it was
    std::vector<TextFix> fixes;
};

// The hint for error `code` on 1-based `line` of lines, blamed at `place`.
ErrorHint HintForError(const std::vector<std::string>& lines, std::int32_t line, std::int32_t code,
                       const ErrorPlace& place);
// The changes a warning proposes.
std::vector<TextFix> FixesForWarning(const Warning& warning);

// The keyword a Spanish word stands for ("PUNTO", "círculo" -> "CIRCLE"), or empty.
std::string_view KeywordForSpanish(std::string_view word);
// The keywords nearest to word by edit distance, when near enough; the nearest first.
std::vector<std::string_view> NearestKeywords(std::string_view word);

// True when the bytes of a and b, two number arguments next to each other, are a number
// written with a decimal comma ("10,5") in a line whose other commas are followed by a blank.
bool IsDecimalComma(std::string_view line, LineSpan a, LineSpan b);

}  // namespace vekora
