// Names across the lesson: go to definition, find references, rename, the outline of
// procedures and figures, and the semantic tokens that tell points, lines, circles and
// procedures apart.
#include <algorithm>

#include "lsp/features.h"
#include "run/script_text.h"
#include "script/hint_texts.h"
#include "script/messages.h"
#include "script/tokens.h"
#include "script/types.h"

namespace vekora::lsp {
namespace {

Json Location(const Lesson& lesson, const std::string& uri, const NameAt& name) {
    return Json{{"uri", uri}, {"range", RangeJson(lesson, name.line, name.span)}};
}

const NameAt* NameAtCursor(Lesson& lesson, const Json& params) {
    const Json position = params.value("position", Json::object());
    const std::int32_t line = position.value("line", 0);
    return lesson.NameAtByte(line, lesson.ByteOf(line, position.value("character", 0)));
}

// Semantic token types: their numbers are the positions in this list.
enum TokenType { TokKeyword, TokPoint, TokLine, TokCircle, TokProcedure, TokNumber, TokString, TokComment, TokVariable };
constexpr const char* TokenTypeNames[] = {"keyword", "point", "line", "circle", "procedure",
                                          "number", "string", "comment", "variable"};
constexpr int DeclarationModifier = 1;

TokenType TypeOfName(std::int32_t type) {
    switch (type) {
        case TypePoint: return TokPoint;
        case TypeLine: return TokLine;
        case TypeCircle: return TokCircle;
        case TypeProcedure: return TokProcedure;
        default: return TokVariable;
    }
}

// LSP SymbolKind values.
constexpr int SymbolFunction = 12, SymbolVariable = 13;

bool IsValidName(std::string_view name) {
    if (name.empty() || KeywordCode(name) != 0) return false;
    return name.find_first_of(" ,=\t\"") == std::string_view::npos;
}

}  // namespace

Json Definition(Lesson& lesson, const Json& params, const std::string& uri) {
    const NameAt* name = NameAtCursor(lesson, params);
    if (name == nullptr) return nullptr;
    return Location(lesson, uri, *lesson.Definition(name->type, name->index));
}

Json References(Lesson& lesson, const Json& params, const std::string& uri) {
    const NameAt* name = NameAtCursor(lesson, params);
    if (name == nullptr) return nullptr;
    const bool withDefinition = params.value("context", Json::object()).value("includeDeclaration", true);
    const NameAt* made = lesson.Definition(name->type, name->index);
    Json locations = Json::array();
    for (const NameAt& use : lesson.Uses(name->type, name->index)) {
        if (!withDefinition && use.line == made->line && use.span.first == made->span.first) continue;
        locations.push_back(Location(lesson, uri, use));
    }
    return locations;
}

Json Rename(Lesson& lesson, const Json& params, const std::string& uri, std::string& refusal) {
    const NameAt* found = NameAtCursor(lesson, params);
    if (found == nullptr) {
        refusal = Utf8(FormatHint(HintId::RenameNothing));
        return nullptr;
    }
    const NameAt name = *found;
    const std::string given = params.value("newName", std::string());
    const std::string latin1 = ScriptTextToLatin1(given);
    if (!IsValidName(latin1)) {
        refusal = Utf8(FormatHint(HintId::RenameNotAName, latin1));
        return nullptr;
    }
    const SymbolTable::Entry existing = lesson.Symbols().FindName(latin1);
    const bool same = existing.type == name.type && existing.index == name.index;
    if (existing.type != TypeNone && !same) {
        // Names are one namespace: a second figure of that name would become the first one.
        refusal = Utf8(FormatHint(HintId::RenameClash, latin1, TypeName(existing.type)));
        return nullptr;
    }
    Json edits = Json::array();
    for (const NameAt& use : lesson.Uses(name.type, name.index)) {
        edits.push_back(Json{{"range", RangeJson(lesson, use.line, use.span)}, {"newText", given}});
    }
    return Json{{"changes", Json{{uri, edits}}}};
}

Json DocumentSymbols(Lesson& lesson) {
    Json symbols = Json::array();
    for (const NameAt& name : lesson.Names()) {
        const NameAt* made = lesson.Definition(name.type, name.index);
        if (made != &name) continue;
        const std::string& line = lesson.Lines()[static_cast<std::size_t>(name.line)];
        std::int32_t last = name.line;
        if (name.type == TypeProcedure) {
            // A procedure reaches down to its REPEAT.
            for (std::size_t j = static_cast<std::size_t>(name.line) + 1; j < lesson.Lines().size(); ++j) {
                const std::vector<LineWord> words = WordsOfLine(lesson.Lines()[j]);
                if (!words.empty() && KeywordCode(words[0].text) == KwRepeat) {
                    last = static_cast<std::int32_t>(j);
                    break;
                }
            }
        }
        const std::string& lastLine = lesson.Lines()[static_cast<std::size_t>(last)];
        const Json range{{"start", PositionJson(lesson, name.line, 0)},
                         {"end", PositionJson(lesson, last, static_cast<std::int32_t>(lastLine.size()))}};
        symbols.push_back(Json{{"name", Utf8(line.substr(static_cast<std::size_t>(name.span.first),
                                                          static_cast<std::size_t>(name.span.end - name.span.first)))},
                               {"detail", Utf8(TypeName(name.type))},
                               {"kind", name.type == TypeProcedure ? SymbolFunction : SymbolVariable},
                               {"range", range},
                               {"selectionRange", RangeJson(lesson, name.line, name.span)}});
    }
    return symbols;
}

Json SemanticTokenLegend() {
    return Json{{"tokenTypes", TokenTypeNames}, {"tokenModifiers", Json::array({"declaration"})}};
}

Json SemanticTokens(Lesson& lesson) {
    std::vector<std::int32_t> data;
    std::int32_t previousLine = 0, previousStart = 0;
    const auto add = [&](std::int32_t line, LineSpan span, TokenType type, int modifiers) {
        const std::int32_t start = lesson.CharacterOf(line, span.first);
        const std::int32_t length = lesson.CharacterOf(line, span.end) - start;
        if (length <= 0) return;
        data.insert(data.end(), {line - previousLine, line == previousLine ? start - previousStart : start, length, type,
                                 modifiers});
        previousLine = line;
        previousStart = start;
    };
    const std::vector<NameAt>& names = lesson.Names();
    std::size_t next = 0;  // the next name of the index, in line order as the words are
    for (std::size_t j = 0; j < lesson.Lines().size(); ++j) {
        const auto line = static_cast<std::int32_t>(j);
        const std::string& text = lesson.Lines()[j];
        for (const LineWord& word : WordsOfLine(text)) {
            const std::int32_t code = KeywordCode(word.text);
            if (code > 0) {
                add(line, word.span, TokKeyword, 0);
            } else if (code < 0) {
                add(line, word.span, word.text[0] == '"' ? TokString : TokNumber, 0);
            } else if (next < names.size() && names[next].line == line && names[next].span.first == word.span.first) {
                const NameAt& name = names[next++];
                const bool made = lesson.Definition(name.type, name.index) == &name;
                add(line, word.span, TypeOfName(name.type), made ? DeclarationModifier : 0);
            } else {
                add(line, word.span, TokVariable, 0);
            }
        }
        const std::int32_t comment = CommentStart(text);
        add(line, LineSpan{comment, static_cast<std::int32_t>(text.size())}, TokComment, 0);
    }
    return Json{{"data", data}};
}

}  // namespace vekora::lsp
