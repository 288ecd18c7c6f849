// Completion and signature help: the statement forms of the compiler's form table, the names
// of the kind an argument takes, colours and DEFAULT.
#include <algorithm>

#include "lsp/features.h"
#include "script/messages.h"
#include "script/statement_forms.h"
#include "script/tokens.h"
#include "script/types.h"

namespace vekora::lsp {
namespace {

// LSP CompletionItemKind and InsertTextFormat values.
constexpr int KindFunction = 3, KindVariable = 6, KindKeyword = 14, KindColor = 16, KindValue = 12;
constexpr int SnippetFormat = 2;
constexpr std::size_t MostNames = 200;  // a list this long is searched by typing, not by scrolling

struct NamedColour {
    std::string_view literal;
    std::string_view name;  // Latin-1
};
constexpr NamedColour Colours[] = {
    {"&H000000", "negro"}, {"&HFFFFFF", "blanco"}, {"&HFF0000", "rojo"}, {"&H008000", "verde"},
    {"&H0000FF", "azul"}, {"&HFFFF00", "amarillo"}, {"&HFF8000", "naranja"}, {"&H800080", "morado"},
    {"&H808080", "gris"}, {"&H00FFFF", "cian"}, {"&HFF00FF", "magenta"}, {"&H804000", "marr\xF3n"},
};

// The form as a snippet from token position `from` on: the required arguments as
// placeholders, the names before the keyword followed by "=".
std::string Snippet(const StatementForm& form, std::string_view spelling, int from) {
    const FormWords words = WordsOf(form);
    const int keyword = KeywordPosition(form);
    std::string snippet;
    int placeholder = 1;
    for (int i = from; i < words.required; ++i) {
        const std::string word(words.words[static_cast<std::size_t>(i)]);
        if (i == keyword) {
            if (i > from) snippet += " = ";
            snippet += spelling;
        } else if (KindAt(form, i) == 'k') {
            snippet += " " + word;  // ALONG, or a pace word
        } else {
            if (i > keyword) snippet += (i == keyword + 1 || KindAt(form, i - 1) == 'k') ? " " : ", ";
            else if (i > from) snippet += " ";
            snippet += "${" + std::to_string(placeholder++) + ":" + word + "}";
        }
    }
    return snippet;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(text[i]) != upper(prefix[i])) return false;
    }
    return true;
}

Json KeywordItems(int position, std::string_view prefix) {
    Json items = Json::array();
    int order = 0;
    for (const std::string_view name : KeywordNames()) {
        if (!StartsWithNoCase(name, prefix)) continue;
        for (const StatementForm* form : FormsOf(name)) {
            const int keyword = KeywordPosition(*form);
            if (position > 0 && keyword != position) continue;
            char sort[16];
            std::snprintf(sort, sizeof sort, "%05d", order++);
            items.push_back(Json{{"label", std::string(name)},
                                 {"kind", KindKeyword},
                                 {"detail", FormText(*form, name)},
                                 {"filterText", std::string(name)},
                                 {"sortText", std::string(name) + sort},
                                 {"insertText", Snippet(*form, name, position)},
                                 {"insertTextFormat", SnippetFormat}});
        }
    }
    return items;
}

// What the word at the cursor holds before the cursor.
std::string_view Prefix(const Cursor& cursor) {
    if (!cursor.inWord) return {};
    const LineWord& word = cursor.words[static_cast<std::size_t>(cursor.index)];
    return word.text.substr(0, static_cast<std::size_t>(cursor.byte - word.span.first));
}

// The type of the CONSTRUCTION's parameter that the call's argument at the cursor stands for:
// the type of the parameter's name, read from the header (parameters are names of the lesson).
std::int32_t ParameterType(Lesson& lesson, const Cursor& cursor) {
    if (cursor.words.size() < 2) return TypeNone;
    const SymbolTable::Entry procedure = lesson.Symbols().FindName(cursor.words[1].text);
    if (procedure.type != TypeProcedure) return TypeNone;
    const NameAt* header = lesson.Definition(procedure.type, procedure.index);
    const bool paceWord = cursor.words.size() > 2 && KeywordCode(cursor.words[2].text) > 0;
    const std::size_t parameter = static_cast<std::size_t>(cursor.index - (paceWord ? 3 : 2)) + 2;
    if (header == nullptr) return TypeNone;
    const std::vector<LineWord> words = WordsOfLine(lesson.Lines()[static_cast<std::size_t>(header->line)]);
    if (words.empty() || KeywordCode(words[0].text) != KwConstruction || parameter < 2 || parameter >= words.size()) {
        return TypeNone;
    }
    return lesson.Symbols().FindName(words[parameter].text).type;
}

void AddNames(Lesson& lesson, std::int32_t type, std::string_view prefix, Json& items, bool& incomplete) {
    const std::vector<std::string>& names = lesson.Symbols().List(type);
    for (const std::string& name : names) {
        if (!StartsWithNoCase(name, prefix)) continue;
        if (items.size() >= MostNames) {
            incomplete = true;
            return;
        }
        items.push_back(Json{{"label", Utf8(name)},
                             {"kind", type == TypeProcedure ? KindFunction : KindVariable},
                             {"detail", Utf8(TypeName(type))}});
    }
}

Json ArgumentItems(Lesson& lesson, const Cursor& cursor) {
    Json items = Json::array();
    bool incomplete = false;
    const std::string_view prefix = Prefix(cursor);
    std::string kinds;
    bool optional = false;
    for (const StatementForm* form : FormsOf(cursor.keyword, cursor.keywordPosition)) {
        const char kind = KindAt(*form, cursor.index);
        if (kind != 0 && kinds.find(kind) == std::string::npos) kinds.push_back(kind);
        optional = optional || (kind != 0 && cursor.index >= WordsOf(*form).required);
        if (kind == 'k') {
            const std::string word(WordsOf(*form).words[static_cast<std::size_t>(cursor.index)]);
            items.push_back(Json{{"label", word}, {"kind", KindKeyword}});
        }
    }
    if (kinds.find('a') != std::string::npos) {
        const std::int32_t type = ParameterType(lesson, cursor);
        if (type >= TypePoint && type <= TypeCircle) kinds = std::string(1, "PLC"[type - 1]);
        else kinds = "PLC";
    }
    for (const char kind : kinds) {
        switch (kind) {
            case 'P': AddNames(lesson, TypePoint, prefix, items, incomplete); break;
            case 'L': AddNames(lesson, TypeLine, prefix, items, incomplete); break;
            case 'C': AddNames(lesson, TypeCircle, prefix, items, incomplete); break;
            case 'R': AddNames(lesson, TypeProcedure, prefix, items, incomplete); break;
            case 'c':
                for (const NamedColour& colour : Colours) {
                    items.push_back(Json{{"label", std::string(colour.literal)},
                                         {"kind", KindColor},
                                         {"detail", Utf8(colour.name)},
                                         {"filterText", std::string(colour.literal)}});
                }
                break;
            default: break;
        }
    }
    if (optional && (kinds.find('n') != std::string::npos || kinds.find('c') != std::string::npos)) {
        items.push_back(Json{{"label", "DEFAULT"}, {"kind", KindValue}});
    }
    return Json{{"isIncomplete", incomplete}, {"items", items}};
}

// How well a form fits the names already written: the number of them whose type it takes.
int Fit(Lesson& lesson, const StatementForm& form, const Cursor& cursor) {
    int fit = 0;
    for (std::size_t i = 0; i < cursor.words.size(); ++i) {
        const char kind = KindAt(form, static_cast<int>(i));
        if (kind == 0) return -1;
        const std::int32_t type = KeywordCode(cursor.words[i].text) == 0 ? lesson.Symbols().FindName(cursor.words[i].text).type
                                                                          : TypeNone;
        const std::int32_t wanted = kind == 'P' ? TypePoint : kind == 'L' ? TypeLine : kind == 'C' ? TypeCircle : -1;
        if (type == TypeNone || wanted < 0) continue;
        if (type != wanted) return -1;
        ++fit;
    }
    return fit;
}

}  // namespace

Json Completion(Lesson& lesson, const Json& params) {
    const Cursor cursor = CursorAt(lesson, params.value("position", Json::object()));
    if (cursor.inComment) return Json::array();
    if (cursor.keyword.empty()) {
        if (cursor.index > 2) return Json::array();
        return Json{{"isIncomplete", false}, {"items", KeywordItems(cursor.index, Prefix(cursor))}};
    }
    if (cursor.index <= cursor.keywordPosition) return Json::array();  // new names, or the keyword
    return ArgumentItems(lesson, cursor);
}

Json SignatureHelp(Lesson& lesson, const Json& params) {
    const Cursor cursor = CursorAt(lesson, params.value("position", Json::object()));
    if (cursor.inComment || cursor.keyword.empty()) return nullptr;
    const std::vector<const StatementForm*> forms = FormsOf(cursor.keyword, cursor.keywordPosition);
    if (forms.empty()) return nullptr;
    Json signatures = Json::array();
    int active = 0;
    int bestFit = -2;
    for (std::size_t f = 0; f < forms.size(); ++f) {
        const std::string label = FormText(*forms[f], cursor.keyword);
        Json parameters = Json::array();
        // Each parameter is its word's place in the label, the words taken in order.
        std::size_t from = 0;
        for (const std::string_view word : WordsOf(*forms[f]).words) {
            const std::string needle = word == forms[f]->keyword ? UpperCase(cursor.keyword) : std::string(word);
            const std::size_t start = label.find(needle, from);
            if (start == std::string::npos) break;
            parameters.push_back(Json{{"label", Json::array({start, start + needle.size()})}});
            from = start + needle.size();
        }
        const int fit = Fit(lesson, *forms[f], cursor);
        if (fit > bestFit) {
            bestFit = fit;
            active = static_cast<int>(f);
        }
        signatures.push_back(Json{{"label", Utf8(label)}, {"parameters", parameters}});
    }
    const std::size_t parameterCount = signatures[static_cast<std::size_t>(active)]["parameters"].size();
    const int parameter = std::max(0, std::min(cursor.index, static_cast<int>(parameterCount) - 1));
    return Json{{"signatures", signatures}, {"activeSignature", active}, {"activeParameter", parameter}};
}

}  // namespace vekora::lsp
