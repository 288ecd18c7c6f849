// Compiling the lesson being edited, and the index of its names.
#include "lsp/lesson.h"

#include <algorithm>

#include "run/lesson_compile.h"
#include "run/script_text.h"
#include "script/line_words.h"
#include "script/tokens.h"
#include "script/types.h"

namespace vekora::lsp {

void Lesson::SetText(std::string_view text) {
    lines_ = SplitScriptText(ScriptTextToLatin1(text));
    errors_ = ErrorLists{};
    notes_ = CompileNotes{};
    CompileLesson(lines_, table_, errors_, symbols_, notes_);
    diagnostics_ = BuildDiagnostics(lines_, errors_, notes_);
    if (!errors_.codes.empty() && errors_.codes.front() == ErrNoEnd) {
        // Without END the compiler leaves the names alone; a lesson being written often has
        // no END yet, and its names are what completion offers.
        ScriptLines ended = lines_;
        ended.emplace_back("END");
        ErrorLists ignored;
        ParseScript(ended, table_, ignored, symbols_);
    }
    names_.clear();
    namesBuilt_ = false;
}

const std::vector<NameAt>& Lesson::Names() {
    if (namesBuilt_) return names_;
    namesBuilt_ = true;
    for (std::size_t j = 0; j < lines_.size(); ++j) {
        for (const LineWord& word : WordsOfLine(lines_[j])) {
            if (KeywordCode(word.text) != 0) continue;  // keywords and literals
            const SymbolTable::Entry entry = symbols_.FindName(word.text);
            if (entry.type != TypeNone) names_.push_back(NameAt{static_cast<std::int32_t>(j), word.span, entry.type, entry.index});
        }
    }
    // Where each name was made: its first appearance, where the compiler gave it its type; a
    // procedure's header, the name after CONSTRUCTION, INTERACTION or ANIMATION.
    for (std::int32_t type = 0; type < SymbolListCount; ++type) {
        madeAt_[static_cast<std::size_t>(type)].assign(static_cast<std::size_t>(symbols_.Count(type)), -1);
    }
    for (std::size_t n = 0; n < names_.size(); ++n) {
        const NameAt& name = names_[n];
        std::int32_t& made = madeAt_[static_cast<std::size_t>(name.type)][static_cast<std::size_t>(name.index)];
        if (made < 0) made = static_cast<std::int32_t>(n);
        if (name.type == TypeProcedure && name.span.first > 0) {
            const std::vector<LineWord> words = WordsOfLine(lines_[static_cast<std::size_t>(name.line)]);
            const std::int32_t code = words.size() > 1 ? KeywordCode(words[0].text) : 0;
            if (code >= KwConstruction && code <= KwAnimation && words[1].span.first == name.span.first) {
                made = static_cast<std::int32_t>(n);
            }
        }
    }
    return names_;
}

const NameAt* Lesson::NameAtByte(std::int32_t line, std::int32_t byte) {
    const std::vector<NameAt>& names = Names();
    auto it = std::lower_bound(names.begin(), names.end(), line, [](const NameAt& n, std::int32_t l) { return n.line < l; });
    for (; it != names.end() && it->line == line; ++it) {
        if (byte >= it->span.first && byte <= it->span.end) return &*it;
    }
    return nullptr;
}

const NameAt* Lesson::Definition(std::int32_t type, std::int32_t index) {
    Names();
    if (type < 0 || type >= SymbolListCount) return nullptr;
    const std::vector<std::int32_t>& made = madeAt_[static_cast<std::size_t>(type)];
    if (index < 0 || static_cast<std::size_t>(index) >= made.size() || made[static_cast<std::size_t>(index)] < 0) return nullptr;
    return &names_[static_cast<std::size_t>(made[static_cast<std::size_t>(index)])];
}

std::vector<NameAt> Lesson::Uses(std::int32_t type, std::int32_t index) {
    std::vector<NameAt> uses;
    for (const NameAt& name : Names()) {
        if (name.type == type && name.index == index) uses.push_back(name);
    }
    return uses;
}

std::int32_t Lesson::ByteOf(std::int32_t line, std::int32_t character) const {
    if (line < 0 || static_cast<std::size_t>(line) >= lines_.size()) return 0;
    const std::string& text = lines_[static_cast<std::size_t>(line)];
    std::int32_t byte = 0;
    for (std::int32_t c = 0; c < character && static_cast<std::size_t>(byte) < text.size(); ++c) {
        byte += text[static_cast<std::size_t>(byte)] == '\x1A' ? 2 : 1;
    }
    return std::min(byte, static_cast<std::int32_t>(text.size()));
}

std::int32_t Lesson::CharacterOf(std::int32_t line, std::int32_t byte) const {
    if (line < 0 || static_cast<std::size_t>(line) >= lines_.size()) return byte;
    const std::string& text = lines_[static_cast<std::size_t>(line)];
    std::int32_t character = 0;
    for (std::int32_t b = 0; b < byte && static_cast<std::size_t>(b) < text.size(); ++character) {
        b += text[static_cast<std::size_t>(b)] == '\x1A' ? 2 : 1;
    }
    return character + std::max<std::int32_t>(0, byte - static_cast<std::int32_t>(text.size()));
}

}  // namespace vekora::lsp
