// What the language server's features share: JSON, positions and ranges of a lesson, texts
// in UTF-8, and the statement around the cursor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/lesson.h"
#include "script/line_words.h"

namespace vekora::lsp {

using Json = nlohmann::json;

// The program's Latin-1 texts as the editor's UTF-8.
std::string Utf8(std::string_view latin1);
// {"line": l, "character": c} for byte `byte` of 0-based line l.
Json PositionJson(const Lesson& lesson, std::int32_t line, std::int32_t byte);
Json RangeJson(const Lesson& lesson, std::int32_t line, LineSpan span);

// The statement of the line the cursor is on, as far as the cursor.
struct Cursor {
    std::int32_t line = 0;
    std::int32_t byte = 0;             // in the line
    std::vector<LineWord> words;       // the words of the line
    int index = 0;                     // token position of the word at the cursor (or to come)
    bool inWord = false;               // the cursor is inside or at the end of words[index]
    bool inComment = false;
    std::string_view keyword;          // the statement's keyword as written; empty: none yet
    int keywordPosition = -1;
};
Cursor CursorAt(Lesson& lesson, const Json& position);

}  // namespace vekora::lsp
