// Splitting a line into its words up to the comment.
#include "script/line_words.h"

#include "script/tokens.h"

namespace vekora {
namespace {

// A token whose first byte is below 'A' is a number, a text or a comment start.
bool StartsComment(std::string_view token) {
    if (KeywordCode(token) >= 0) return false;
    const char first = token[0];
    return !((first >= '0' && first <= '9') || first == '&' || first == '(' || first == '-' || first == '"');
}

}  // namespace

std::vector<LineWord> WordsOfLine(std::string_view line) {
    std::vector<LineWord> words;
    std::size_t position = 0;
    std::string_view token;
    while (NextToken(line, position, token)) {
        if (StartsComment(token)) break;
        const auto start = static_cast<std::int32_t>(token.data() - line.data());
        words.push_back(LineWord{token, LineSpan{start, start + static_cast<std::int32_t>(token.size())}});
    }
    return words;
}

std::int32_t CommentStart(std::string_view line) {
    std::size_t position = 0;
    std::string_view token;
    while (NextToken(line, position, token)) {
        if (StartsComment(token)) return static_cast<std::int32_t>(token.data() - line.data());
    }
    return static_cast<std::int32_t>(line.size());
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

}  // namespace vekora
