// Positions, ranges and the cursor's statement.
#include "lsp/protocol.h"

#include "draw/math_text.h"
#include "script/tokens.h"

namespace vekora::lsp {

std::string Utf8(std::string_view latin1) { return MathTextToUtf8(latin1); }

Json PositionJson(const Lesson& lesson, std::int32_t line, std::int32_t byte) {
    return Json{{"line", line}, {"character", lesson.CharacterOf(line, byte)}};
}

Json RangeJson(const Lesson& lesson, std::int32_t line, LineSpan span) {
    return Json{{"start", PositionJson(lesson, line, span.first)}, {"end", PositionJson(lesson, line, span.end)}};
}

Cursor CursorAt(Lesson& lesson, const Json& position) {
    Cursor cursor;
    cursor.line = position.value("line", 0);
    cursor.byte = lesson.ByteOf(cursor.line, position.value("character", 0));
    if (cursor.line < 0 || static_cast<std::size_t>(cursor.line) >= lesson.Lines().size()) return cursor;
    const std::string_view line = lesson.Lines()[static_cast<std::size_t>(cursor.line)];
    cursor.inComment = cursor.byte > CommentStart(line);
    cursor.words = WordsOfLine(line);
    cursor.index = 0;
    for (const LineWord& word : cursor.words) {
        if (cursor.byte < word.span.first) break;
        if (cursor.byte <= word.span.end) {
            cursor.inWord = true;
            break;
        }
        ++cursor.index;
    }
    // The first keyword is the statement's, unless the cursor is still typing it.
    for (std::size_t i = 0; i < cursor.words.size(); ++i) {
        if (KeywordCode(cursor.words[i].text) <= 0) continue;
        if (static_cast<int>(i) != cursor.index || !cursor.inWord) {
            cursor.keyword = cursor.words[i].text;
            cursor.keywordPosition = static_cast<int>(i);
        }
        break;
    }
    return cursor;
}

}  // namespace vekora::lsp
