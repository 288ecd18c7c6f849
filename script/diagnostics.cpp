// The texts of the warnings and of the errors' real causes (Latin-1, in the process's
// language), and the list of diagnostics with their lines and columns.
#include "script/diagnostics.h"

#include <algorithm>

#include "script/hint_texts.h"
#include "script/hints.h"
#include "script/messages.h"
#include "script/passes.h"

namespace vekora {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The line as a whole: from its first non-blank character to its end.
LineSpan WholeLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    const auto end = static_cast<std::int32_t>(line.size());
    return LineSpan{first == std::string_view::npos ? end : static_cast<std::int32_t>(first), end};
}

Diagnostic Place(const std::vector<std::string>& lines, std::int32_t line, LineSpan span) {
    Diagnostic diagnostic;
    if (line <= 0 || static_cast<std::size_t>(line) > lines.size()) {
        // No line of its own (a missing END): the end of the script.
        diagnostic.line = std::max<std::int32_t>(static_cast<std::int32_t>(lines.size()), 1);
        const std::int32_t end = lines.empty() ? 0 : static_cast<std::int32_t>(lines.back().size());
        diagnostic.column = diagnostic.endColumn = end + 1;
        return diagnostic;
    }
    const std::string_view text = lines[static_cast<std::size_t>(line - 1)];
    if (span.first < 0) span = WholeLine(text);
    const auto size = static_cast<std::int32_t>(text.size());
    diagnostic.line = line;
    diagnostic.column = std::min(span.first, size) + 1;
    diagnostic.endColumn = std::max(std::min(span.end, size) + 1, diagnostic.column);
    return diagnostic;
}

}  // namespace

std::string WarningText(const Warning& warning) {
    const std::string subject = Quoted(warning.subject);
    switch (warning.id) {
        case WarningId::UsedBeforeGiven:
            return TrFormat(N_("%s se usa antes de que alguna instrucci\xF3n le d\xE9 un valor; \xBF" "falta construirlo o "
                               "est\xE1 mal escrito?"), {subject});
        case WarningId::NotANumber:
            return TrFormat(N_("Se esperaba un n\xFAmero, no %s (se toma 0)"), {subject});
        case WarningId::NumberWithText:
            return TrFormat(N_("%s no es solo un n\xFAmero: se ignora %s"), {subject, Quoted(warning.other)});
        case WarningId::NumberTooLarge:
            return TrFormat(N_("El n\xFAmero %s no cabe en este argumento: ha de quedar entre -%s y %s"),
                            {subject, warning.other, warning.other});
        case WarningId::NotAColour:
            return TrFormat(N_("%s no es un color; escribe &HRRGGBB o (rojo, verde, azul)"), {subject});
        case WarningId::ExtraArguments:
            return TrFormat(N_("Argumentos de m\xE1s: desde %s la instrucci\xF3n no los usa"), {subject});
        case WarningId::TabComment:
            return TrFormat(N_("\xBF" "Es esta l\xEDnea un comentario? Empieza con un tabulador, as\xED que %s"
                               " no se ejecuta; para sangrar usa espacios"), {warning.subject});
        case WarningId::TextBeforeTextWindow:
            return std::string(Tr("TEXT antes de TEXTWINDOW: el texto no se ve, la ventana de texto mide 0 \xD7 0"));
        case WarningId::ProcedureNeverCalled:
            return TrFormat(N_("El procedimiento %s se define pero nunca se llama"), {subject});
        case WarningId::NameDiffersInCase:
            return TrFormat(N_("%s es un nombre nuevo: solo difiere de %s en may\xFAsculas y min\xFAsculas"),
                            {subject, Quoted(warning.other)});
        case WarningId::DecimalComma:
            return FormatHint(HintId::DecimalComma, subject, Quoted(FixesForWarning(warning).front().replacement));
        case WarningId::RepeatWithoutCount: return FormatHint(HintId::RepeatWithoutCount);
        case WarningId::TextDoesNotFit: return FormatHint(HintId::TextDoesNotFit, warning.other, subject);
        case WarningId::NulInLine:
            return "Un car\xE1" "cter nulo (byte 0) en la l\xEDnea: \xBF" "est\xE1 da\xF1" "ado el archivo?";
    }
    return {};
}

std::string ErrorText(std::int32_t code, const ErrorPlace& place) {
    switch (place.cause) {
        case ErrorCause::NameListFull:
            return TrFormat(N_("Demasiados nombres de tipo %s: cada tipo admite como mucho 65535 nombres"),
                            {TypeName(place.detail)});
        case ErrorCause::TextListFull:
            return std::string(Tr("Demasiados textos distintos: se admiten como mucho 65535"));
        case ErrorCause::KeywordTooLate:
            return TrFormat(N_("La palabra clave es el elemento %s de la l\xEDnea; ha de ser el primero, el segundo o "
                               "el tercero"), {std::to_string(place.detail + 1)});
        case ErrorCause::AsNumbered: break;
    }
    return ErrorMessage(code);
}

namespace {

// A numbered error as a diagnostic, with its hint where one applies.
Diagnostic ErrorDiagnostic(const std::vector<std::string>& lines, std::int32_t code, std::int32_t line,
                           const ErrorPlace& place) {
    const ErrorHint hint = HintForError(lines, line, code, place);
    Diagnostic diagnostic = Place(lines, line, hint.span.first >= 0 ? hint.span : place.span);
    diagnostic.severity = Severity::Error;
    diagnostic.number = code & 255;
    diagnostic.text = ErrorText(code, place);
    if (!hint.text.empty()) diagnostic.text += (diagnostic.text.back() == '.' ? " " : ": ") + hint.text;
    diagnostic.fixes = hint.fixes;
    return diagnostic;
}

}  // namespace

std::vector<Diagnostic> BuildDiagnostics(const std::vector<std::string>& lines, const ErrorLists& errors,
                                         const CompileNotes& notes) {
    std::vector<Diagnostic> diagnostics;
    for (std::size_t i = 0; i < errors.codes.size(); ++i) {
        const ErrorPlace place = i < notes.errorPlaces.size() ? notes.errorPlaces[i] : ErrorPlace{};
        const std::int32_t line = i < errors.lines.size() ? errors.lines[i] : 0;
        diagnostics.push_back(ErrorDiagnostic(lines, errors.codes[i], line, place));
    }
    for (std::size_t i = 0; i < notes.hiddenCodes.size(); ++i) {
        diagnostics.push_back(ErrorDiagnostic(lines, notes.hiddenCodes[i], notes.hiddenLines[i], notes.hiddenPlaces[i]));
    }
    for (const Warning& warning : notes.warnings) {
        Diagnostic diagnostic = Place(lines, warning.line, warning.span);
        diagnostic.severity = Severity::Warning;
        diagnostic.number = static_cast<std::int32_t>(warning.id);
        diagnostic.text = WarningText(warning);
        diagnostic.fixes = FixesForWarning(warning);
        diagnostics.push_back(std::move(diagnostic));
    }
    std::stable_sort(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return diagnostics;
}

}  // namespace vekora
