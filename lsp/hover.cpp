// Hover: a keyword's section of the reference, or a name's type and where it was made.
#include "lsp/features.h"
#include "lsp/reference_entries.h"
#include "script/hint_texts.h"
#include "script/messages.h"
#include "script/statement_forms.h"
#include "script/tokens.h"

namespace vekora::lsp {
namespace {

const ReferenceEntry* FindSpelled(std::string_view keyword) {
    for (std::size_t e = 0; e < ReferenceEntryCount; ++e) {
        const std::string_view keywords = ReferenceEntries[e].keywords;
        std::size_t at = 0;
        while (at < keywords.size()) {
            std::size_t end = keywords.find(' ', at);
            if (end == std::string_view::npos) end = keywords.size();
            if (keywords.substr(at, end - at) == keyword) return &ReferenceEntries[e];
            at = end + 1;
        }
    }
    return nullptr;
}

}  // namespace

const ReferenceEntry* FindReference(std::string_view keyword) {
    const std::string spelled = UpperCase(keyword);
    if (const ReferenceEntry* entry = FindSpelled(spelled)) return entry;
    // Other spellings (CIRCLEEND, TOOLS, IMIDDLE) share the section of their form's keyword.
    const std::vector<const StatementForm*> forms = FormsOf(spelled);
    return forms.empty() ? nullptr : FindSpelled(forms.front()->keyword);
}

Json Hover(Lesson& lesson, const Json& params) {
    const Cursor cursor = CursorAt(lesson, params.value("position", Json::object()));
    if (cursor.inComment || !cursor.inWord) return nullptr;
    const LineWord& word = cursor.words[static_cast<std::size_t>(cursor.index)];
    const std::int32_t code = KeywordCode(word.text);
    std::string markdown;
    if (code > 0) {
        const ReferenceEntry* entry = FindReference(word.text);
        if (entry == nullptr) return nullptr;
        markdown = std::string(entry->markdown);  // the manual is UTF-8 already
    } else if (code == 0) {
        const NameAt* name = lesson.NameAtByte(cursor.line, cursor.byte);
        if (name == nullptr) return nullptr;
        const NameAt* made = lesson.Definition(name->type, name->index);
        const std::string& line = lesson.Lines()[static_cast<std::size_t>(made->line)];
        markdown = "**" + Utf8(word.text) + "**: " +
                   Utf8(FormatHint(HintId::NameMadeAt, TypeName(name->type), std::to_string(made->line + 1))) +
                   "\n\n```vek\n" + Utf8(line) + "\n```";
    } else {
        return nullptr;
    }
    return Json{{"contents", Json{{"kind", "markdown"}, {"value", markdown}}},
                {"range", RangeJson(lesson, cursor.line, word.span)}};
}

}  // namespace vekora::lsp
