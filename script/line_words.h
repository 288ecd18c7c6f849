// The words of a line as the compiler splits it, each with where it stands, up to the comment
// that ends the statement. For tools that read lines beside the compiler: hints, the editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/diagnostics.h"

namespace vekora {

struct LineWord {
    std::string_view text;  // as written (a text with its quotes, DEFAULT as DEFAULT)
    LineSpan span;
};

std::vector<LineWord> WordsOfLine(std::string_view line);
// Where the comment of the line starts; the line's size when it has none.
std::int32_t CommentStart(std::string_view line);
// ASCII letters upper-cased, as keywords are compared.
std::string UpperCase(std::string_view text);

}  // namespace vekora
