// The texts of the warnings and of the errors' real causes (Spanish, Latin-1), and the list
// of diagnostics with their lines and columns.
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
            return subject + " se usa antes de que alguna instrucci\xF3n le d\xE9 un valor; \xBF" "falta construirlo o "
                   "est\xE1 mal escrito?";
        case WarningId::NotANumber:
            return "Se esperaba un n\xFAmero, no " + subject + " (se toma 0)";
        case WarningId::NumberWithText:
            return subject + " no es solo un n\xFAmero: se ignora " + Quoted(warning.other);
        case WarningId::NumberTooLarge:
            return "El n\xFAmero " + subject + " no cabe en este argumento: ha de quedar entre -" + warning.other +
                   " y " + warning.other;
        case WarningId::NotAColour:
            return subject + " no es un color; escribe &HRRGGBB o (rojo, verde, azul)";
        case WarningId::ExtraArguments:
            return "Argumentos de m\xE1s: desde " + subject + " la instrucci\xF3n no los usa";
        case WarningId::TabComment:
            return "\xBF" "Es esta l\xEDnea un comentario? Empieza con un tabulador, as\xED que " + warning.subject +
                   " no se ejecuta; para sangrar usa espacios";
        case WarningId::TextBeforeTextWindow:
            return "TEXT antes de TEXTWINDOW: el texto no se ve, la ventana de texto mide 0 \xD7 0";
        case WarningId::ProcedureNeverCalled:
            return "El procedimiento " + subject + " se define pero nunca se llama";
        case WarningId::NameDiffersInCase:
            return subject + " es un nombre nuevo: solo difiere de " + Quoted(warning.other) +
                   " en may\xFAsculas y min\xFAsculas";
        case WarningId::DecimalComma:
            return FormatHint(HintId::DecimalComma, subject, Quoted(FixesForWarning(warning).front().replacement));
        case WarningId::RepeatWithoutCount: return FormatHint(HintId::RepeatWithoutCount);
        case WarningId::TextDoesNotFit: return FormatHint(HintId::TextDoesNotFit, warning.other, subject);
    }
    return {};
}

std::string ErrorText(std::int32_t code, const ErrorPlace& place) {
    switch (place.cause) {
        case ErrorCause::NameListFull:
            return "Demasiados nombres de tipo " + std::string(TypeName(place.detail)) +
                   ": cada tipo admite como mucho 65535 nombres";
        case ErrorCause::TextListFull:
            return "Demasiados textos distintos: se admiten como mucho 65535";
        case ErrorCause::KeywordTooLate:
            return "La palabra clave es el elemento " + std::to_string(place.detail + 1) +
                   " de la l\xEDnea; ha de ser el primero, el segundo o el tercero";
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
