// The warnings of texts too long for their window, measured with the fonts the run uses.
#include "run/lesson_compile.h"

#include <algorithm>

#include "draw/text.h"
#include "interp/resident.h"
#include "script/line_words.h"
#include "script/tokens.h"

namespace vekora {
namespace {

bool IsNumberWord(std::string_view word) {
    return !word.empty() && ((word[0] >= '0' && word[0] <= '9') || word[0] == '-' || word[0] == '&');
}

// A whole number as the compiler writes it into a 16-bit screen field.
std::int16_t ScreenNumber(std::string_view word) { return static_cast<std::int16_t>(RoundToWord(ParseNumber(word))); }

}  // namespace

std::vector<Warning> TextFitWarnings(const ScriptLines& lines) {
    std::vector<Warning> warnings;
    bool inProcedure = false;
    bool known = false;  // the text window's size is the one below
    std::int16_t width = 0, height = 0;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        // Only the first word matters to most lines: the rest are split only where needed.
        std::size_t position = 0;
        std::string_view first;
        if (!NextToken(lines[j], position, first)) continue;
        const std::int32_t code = KeywordCode(first) & ~IVariant;
        const bool matters = (code >= KwConstruction && code <= KwAnimation) || code == KwRepeat ||
                             (code >= KwFast && code <= KwCall) || code == KwMenu || code == KwTextWindow || code == KwText;
        if (!matters) continue;
        const std::vector<LineWord> words = WordsOfLine(lines[j]);
        if (code >= KwConstruction && code <= KwAnimation) inProcedure = true;
        if (code == KwRepeat) inProcedure = false;
        if (inProcedure || code == KwRepeat) continue;
        if ((code >= KwFast && code <= KwCall) || code == KwMenu) known = false;
        if (code == KwTextWindow && words.size() == 5) {
            known = std::all_of(words.begin() + 1, words.end(), [](const LineWord& w) { return IsNumberWord(w.text); });
            width = ScreenNumber(words[3].text);
            height = ScreenNumber(words[4].text);
        }
        if (code != KwText || !known || words.size() < 2 || words[1].text[0] != '"') continue;
        const std::string_view text = StripQuotes(words[1].text);
        const std::int32_t size = words.size() >= 5 && IsNumberWord(words[4].text) ? RoundToWord(ParseNumber(words[4].text)) : -1;
        const FontView font = ResidentTextFont(FontFamily::Sans, FontSizeFor(size));
        const std::string_view hidden = TextNotShown(text, font, width, height);
        if (hidden.empty()) continue;
        Warning warning{WarningId::TextDoesNotFit, static_cast<std::int32_t>(j + 1), words[1].span, std::string(hidden),
                        std::to_string(width) + " \xD7 " + std::to_string(height)};
        warnings.push_back(std::move(warning));
    }
    return warnings;
}

std::int32_t CompileLesson(const ScriptLines& lines, InstructionTable& table, ErrorLists& errors, SymbolTable& symbols,
                           CompileNotes& notes) {
    const std::int32_t result = ParseScript(lines, table, errors, symbols, notes);
    if (result != 0 || !notes.collectWarnings) return result;
    const std::vector<Warning> texts = TextFitWarnings(lines);
    if (texts.empty()) return result;
    notes.warnings.insert(notes.warnings.end(), texts.begin(), texts.end());
    std::stable_sort(notes.warnings.begin(), notes.warnings.end(), [](const Warning& a, const Warning& b) {
        return a.line != b.line ? a.line < b.line : a.span.first < b.span.first;
    });
    return result;
}

}  // namespace vekora
