// The hints of the numbered errors and the fixes of the warnings. They read only the lines:
// a hint never changes what the compiler decided.
#include "script/hints.h"

#include <algorithm>

#include "script/argument_roles.h"
#include "script/hint_texts.h"
#include "script/line_words.h"
#include "script/messages.h"
#include "script/statement_forms.h"
#include "script/tokens.h"
#include "script/types.h"

namespace vekora {
namespace {

// The Spanish words teachers type first, each with the keyword it means. Plain upper case:
// the word is compared after folding case and accents.
struct SpanishWord {
    std::string_view spanish;
    std::string_view keyword;
};
constexpr SpanishWord SpanishWords[] = {
    {"PUNTO", "POINT"}, {"RECTA", "LINE"}, {"LINEA", "LINE"}, {"SEGMENTO", "LINE"}, {"CIRCULO", "CIRCLE"},
    {"CIRCUNFERENCIA", "CIRCLE"}, {"MEDIATRIZ", "MIDLINE"}, {"BISECTRIZ", "BISECTOR"}, {"TANGENTE", "TANGENT"},
    {"CORTE", "CROSS"}, {"INTERSECCION", "CROSS"}, {"CRUCE", "CROSS"}, {"FIN", "END"}, {"FINAL", "END"},
    {"ESPERA", "WAIT"}, {"ESPERAR", "WAIT"}, {"REPETIR", "REPEAT"}, {"REPITE", "REPEAT"}, {"MEDIO", "MIDDLE"},
    {"PUNTOMEDIO", "MIDDLE"}, {"ARCO", "ARC"}, {"COPIA", "COPY"}, {"COPIAR", "COPY"}, {"TEXTO", "TEXT"},
    {"TITULO", "TITLE"}, {"PANTALLA", "SCREEN"}, {"VENTANA", "WINDOW"}, {"BORRAR", "CLS"}, {"LIMPIAR", "CLS"},
    {"RELLENO", "FILL"}, {"RELLENAR", "FILL"}, {"TRIANGULO", "FILLTRIANGLE"}, {"LLAMAR", "CALL"},
    {"LLAMA", "CALL"}, {"CONSTRUCCION", "CONSTRUCTION"}, {"CONSTRUIR", "CONSTRUCT"},
    {"INTERACCION", "INTERACTION"}, {"ANIMACION", "ANIMATION"}, {"ANIMAR", "ANIMATE"}, {"PASO", "STEP"},
    {"RASTRO", "TRACE"}, {"VELOCIDAD", "SPEED"}, {"LENTO", "SLOW"}, {"RAPIDO", "FAST"}, {"INVERTIR", "REVERT"},
    {"MARCAPUNTO", "MARKPOINT"}, {"MARCARECTA", "MARKLINE"}, {"MARCAANGULO", "MARKANGLE"}, {"ANGULO", "MARKANGLE"},
    {"MENUITEM", "MENUITEM"}, {"OPCION", "MENUITEM"}, {"SALIRMENU", "EXITMENU"}, {"FINMENU", "ENDMENU"},
    {"AVANZAR", "ADVANCETO"}, {"DEFECTO", "DEFAULT"}, {"PORDEFECTO", "DEFAULT"}, {"PULSABLE", "CLICKABLE"},
    {"CLICABLE", "CLICKABLE"}, {"ARRASTRABLE", "CLICKABLE"},
};

// Upper case without accents, in Latin-1.
std::string Folded(std::string_view word) {
    std::string folded;
    folded.reserve(word.size());
    for (const char byte : word) {
        auto c = static_cast<unsigned char>(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = static_cast<unsigned char>(c - 0x20);
        if (c >= 0xC0 && c <= 0xC5) c = 'A';
        else if (c == 0xC7) c = 'C';
        else if (c >= 0xC8 && c <= 0xCB) c = 'E';
        else if (c >= 0xCC && c <= 0xCF) c = 'I';
        else if (c == 0xD1) c = 'N';
        else if (c >= 0xD2 && c <= 0xD6) c = 'O';
        else if (c >= 0xD9 && c <= 0xDC) c = 'U';
        folded.push_back(static_cast<char>(c));
    }
    return folded;
}

// Edit distance with transpositions of two neighbours (POIINT, PIONT), bounded by limit + 1.
int Distance(std::string_view a, std::string_view b, int limit) {
    if (std::abs(static_cast<int>(a.size()) - static_cast<int>(b.size())) > limit) return limit + 1;
    std::vector<int> previous2(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                current[j] = std::min(current[j], previous2[j - 2] + 1);
            }
        }
        previous2.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

int Tolerance(std::size_t length) { return length <= 4 ? 1 : length <= 8 ? 2 : 3; }

// The statement keyword of a line and its position; position -1 when there is none.
struct KeywordAt {
    std::string_view spelling;
    std::int32_t code = 0;
    int position = -1;
};

KeywordAt FindKeyword(const std::vector<LineWord>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::int32_t code = KeywordCode(words[i].text);
        if (code > 0) return KeywordAt{words[i].text, code & ~IVariant, static_cast<int>(i)};
    }
    return {};
}

std::string JoinKeywords(const std::vector<std::string_view>& keywords) {
    std::string joined;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        if (i > 0) joined += i + 1 == keywords.size() ? std::string(HintTemplate(HintId::Or)) : std::string(", ");
        joined += keywords[i];
    }
    return joined;
}

// Error 13: the word among the first three that was meant as the keyword.
ErrorHint UnknownKeyword(std::string_view line) {
    ErrorHint hint;
    const std::vector<LineWord> words = WordsOfLine(line);
    const LineWord* nearestWord = nullptr;
    std::vector<std::string_view> nearest;
    int nearestDistance = 1000;
    for (std::size_t i = 0; i < words.size() && i < 3; ++i) {
        const LineWord& word = words[i];
        if (KeywordCode(word.text) != 0) continue;  // a number or text: no keyword meant
        if (const std::string_view keyword = KeywordForSpanish(word.text); !keyword.empty()) {
            hint.text = FormatHint(HintId::SpanishKeyword, word.text, keyword);
            hint.span = word.span;
            hint.fixes.push_back(TextFix{word.span, std::string(keyword)});
            return hint;
        }
        std::vector<std::string_view> found = NearestKeywords(word.text);
        if (found.empty()) continue;
        const int distance = Distance(Folded(word.text), found.front(), 1000);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearestWord = &word;
            nearest = std::move(found);
        }
    }
    if (nearestWord == nullptr) return hint;
    hint.text = FormatHint(HintId::DidYouMean, JoinKeywords(nearest));
    hint.span = nearestWord->span;
    for (const std::string_view keyword : nearest) hint.fixes.push_back(TextFix{nearestWord->span, std::string(keyword)});
    return hint;
}

// Error 12: the first argument missing and the forms that have it.
ErrorHint MissingArgument(std::string_view line) {
    ErrorHint hint;
    const std::vector<LineWord> words = WordsOfLine(line);
    const KeywordAt keyword = FindKeyword(words);
    if (keyword.position < 0) return hint;
    const auto count = static_cast<int>(words.size());
    std::vector<const StatementForm*> forms;
    for (const StatementForm* form : FormsOf(keyword.spelling, keyword.position)) {
        if (WordsOf(*form).required > count) forms.push_back(form);
    }
    if (forms.empty()) return hint;
    const std::string_view missing = WordsOf(*forms.front()).words[static_cast<std::size_t>(count)];
    std::string shown;
    for (const StatementForm* form : forms) {
        if (!shown.empty()) shown += HintTemplate(HintId::FormsJoiner);
        shown += FormText(*form, keyword.spelling);
    }
    hint.text = FormatHint(forms.size() == 1 ? HintId::MissingArgument : HintId::MissingArguments, missing, shown);
    return hint;
}

HintId PlaceOf(std::int32_t kind) {
    switch (kind) {
        case 1: return HintId::PlaceConstruction;
        case 2: return HintId::PlaceInteraction;
        case 3: return HintId::PlaceAnimation;
        default: return HintId::PlaceMain;
    }
}

// Error 31: why the statement may not stand in this kind of module.
ErrorHint IllegalHere(std::string_view line, std::int32_t kind) {
    ErrorHint hint;
    const KeywordAt keyword = FindKeyword(WordsOfLine(line));
    if (keyword.position < 0 || kind > 3) return hint;
    HintId reason;
    switch (keyword.code) {
        case KwRepeat: reason = HintId::RepeatInMain; break;
        case KwClickable: reason = HintId::OnlyInInteraction; break;
        case KwStep: case KwTrace: reason = HintId::OnlyInAnimation; break;
        case KwScreen: case KwWindow: case KwMenu: case KwMenuItem: case KwExitMenu: case KwEndMenu: case KwRepeatMenu:
            reason = HintId::OnlyInMain;
            break;
        case KwDefaults: case KwToolDefaults: reason = HintId::NotInConstruction; break;
        case KwFast: case KwPace: case KwSlow: case KwCall: reason = HintId::CallInConstruction; break;
        case KwConstruction: case KwInteraction: case KwAnimation: reason = HintId::HeaderInProcedure; break;
        default: return hint;
    }
    hint.text = FormatHint(HintId::IllegalHere, UpperCase(keyword.spelling), HintTemplate(PlaceOf(kind)), HintTemplate(reason));
    return hint;
}

// The header line of CONSTRUCTION `name`, as words; empty when there is none.
std::vector<LineWord> ConstructionHeader(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& text : lines) {
        std::vector<LineWord> words = WordsOfLine(text);
        if (words.size() >= 2 && KeywordCode(words[0].text) == KwConstruction && words[1].text == name) return words;
    }
    return {};
}

// Error 29 with a parameter of no type: which parameter, and what would give it one.
ErrorHint UntypedArgument(const std::vector<std::string>& lines, std::string_view line, std::int32_t argument) {
    ErrorHint hint;
    const std::vector<LineWord> words = WordsOfLine(line);
    if (words.size() < 2) return hint;
    const std::vector<LineWord> header = ConstructionHeader(lines, words[1].text);
    const auto parameter = static_cast<std::size_t>(argument) + 2;
    if (parameter >= header.size()) return hint;
    hint.text = FormatHint(HintId::UntypedArgument, std::to_string(argument + 1), words[1].text, header[parameter].text) +
                std::string(HintTemplate(HintId::WhatGivesAType));
    return hint;
}

// Error 10 on a name of no type: when it is a parameter of the CONSTRUCTION the line is in.
ErrorHint UntypedParameter(const std::vector<std::string>& lines, std::int32_t line, const ErrorPlace& place) {
    ErrorHint hint;
    const std::string_view text = lines[static_cast<std::size_t>(line - 1)];
    if (place.span.first < 0) return hint;
    const std::string_view name = text.substr(static_cast<std::size_t>(place.span.first),
                                              static_cast<std::size_t>(place.span.end - place.span.first));
    for (std::int32_t j = line - 2; j >= 0; --j) {
        const std::vector<LineWord> words = WordsOfLine(lines[static_cast<std::size_t>(j)]);
        if (words.empty()) continue;
        const std::int32_t code = KeywordCode(words[0].text);
        if (code == KwRepeat || code == KwEnd || code == KwInteraction || code == KwAnimation) return hint;
        if (code != KwConstruction) continue;
        for (std::size_t p = 2; p < words.size(); ++p) {
            if (words[p].text == name && words.size() >= 2) {
                hint.text = FormatHint(HintId::UntypedParameter, name, words[1].text) +
                            std::string(HintTemplate(HintId::WhatGivesAType));
                return hint;
            }
        }
        return hint;
    }
    return hint;
}

}  // namespace

std::string_view KeywordForSpanish(std::string_view word) {
    const std::string folded = Folded(word);
    for (const SpanishWord& entry : SpanishWords) {
        if (entry.spanish == folded) return entry.keyword;
    }
    return {};
}

std::vector<std::string_view> NearestKeywords(std::string_view word) {
    const std::string folded = Folded(word);
    const int limit = Tolerance(folded.size());
    int best = limit + 1;
    std::vector<std::string_view> nearest;
    for (const std::string_view keyword : KeywordNames()) {
        const std::int32_t code = KeywordCode(keyword) & ~IVariant;
        if (code == KwDefault || code == KwAlong) continue;  // never a statement's keyword
        const int distance = Distance(folded, keyword, best);
        if (distance < best) {
            best = distance;
            nearest.clear();
        }
        if (distance == best && distance <= limit && nearest.size() < 3) nearest.push_back(keyword);
    }
    return nearest;
}

bool IsDecimalComma(std::string_view line, LineSpan a, LineSpan b) {
    const auto digits = [&](LineSpan span, bool sign) {
        std::size_t i = static_cast<std::size_t>(span.first);
        if (sign && i < static_cast<std::size_t>(span.end) && line[i] == '-') ++i;
        if (i >= static_cast<std::size_t>(span.end)) return false;
        for (; i < static_cast<std::size_t>(span.end); ++i) {
            if (line[i] < '0' || line[i] > '9') return false;
        }
        return true;
    };
    if (a.end < 0 || b.first != a.end + 1 || line[static_cast<std::size_t>(a.end)] != ',') return false;
    if (!digits(a, true) || !digits(b, false)) return false;
    // An author who writes "A,1,2" everywhere separates with bare commas; one who writes
    // ", " elsewhere and "10,5" here meant a decimal.
    return line.find(", ") != std::string_view::npos;
}

ErrorHint HintForError(const std::vector<std::string>& lines, std::int32_t line, std::int32_t code,
                       const ErrorPlace& place) {
    if (line <= 0 || static_cast<std::size_t>(line) > lines.size() || place.cause != ErrorCause::AsNumbered) return {};
    const std::string_view text = lines[static_cast<std::size_t>(line - 1)];
    const std::int32_t a = (code >> 8) & 15;
    const std::int32_t b = (code >> 12) & 15;
    switch (code & 255) {
        case ErrNoKeyword: return UnknownKeyword(text);
        case ErrTooFewArguments: return MissingArgument(text);
        case ErrIllegalHere: return IllegalHere(text, a);
        case ErrCallArgumentType: return b == TypeNone ? UntypedArgument(lines, text, a) : ErrorHint{};
        case ErrTypeMismatch: return a == TypeNone ? UntypedParameter(lines, line, place) : ErrorHint{};
        default: return {};
    }
}

std::vector<TextFix> FixesForWarning(const Warning& warning) {
    if (warning.id != WarningId::DecimalComma) return {};
    std::string decimal = warning.subject;
    std::replace(decimal.begin(), decimal.end(), ',', '.');
    return {TextFix{warning.span, decimal}};
}

}  // namespace vekora
