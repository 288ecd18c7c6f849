// Formats diagnostics for a terminal, an editor's problem matcher or a tool.
#include "run/diagnostic_printer.h"

#include <nlohmann/json.hpp>

#include "draw/math_text.h"
#include "i18n/language.h"
#include "run/console.h"

namespace vekora {
namespace {

// The severity as tools key it, in every language.
std::string_view SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

// Blanks under every character before the token, keeping TABs so that the caret lines up
// however the terminal sets its tab stops.
std::string CaretLine(std::string_view line, const Diagnostic& diagnostic) {
    std::string caret;
    const auto before = static_cast<std::size_t>(diagnostic.column - 1);
    for (std::size_t i = 0; i < before; ++i) {
        if (i < line.size() && line[i] == '\t') caret.push_back('\t');
        else caret.append(i < line.size() ? TerminalColumns(static_cast<unsigned char>(line[i])) : 1, ' ');
    }
    caret.push_back('^');
    for (std::int32_t c = diagnostic.column + 1; c < diagnostic.endColumn; ++c) caret.push_back('~');
    return caret;
}

}  // namespace

std::string SeverityWords(const Diagnostic& diagnostic) {
    // TRANSLATORS: editors read "FILE:LINE:COLUMN: error[N]: text"; the VS Code extension's task
    // knows the words "error" and "warning" only (its checks on saving read JSON, in any language).
    if (diagnostic.severity == Severity::Error) return TrFormat(N_("error[%s]"), {std::to_string(diagnostic.number)});
    // TRANSLATORS: see "error[%s]".
    return std::string(Tr("warning"));
}

std::string JsonString(std::string_view utf8) {
    return nlohmann::json(std::string(utf8)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string DiagnosticText(std::string_view path, const std::vector<std::string>& lines, const Diagnostic& diagnostic) {
    std::string text = std::string(path) + ":" + std::to_string(diagnostic.line) + ":" + std::to_string(diagnostic.column) +
                       ": " + SeverityWords(diagnostic) + ": " + diagnostic.text + "\n";
    if (diagnostic.line >= 1 && static_cast<std::size_t>(diagnostic.line) <= lines.size()) {
        const std::string& line = lines[static_cast<std::size_t>(diagnostic.line - 1)];
        text += line + "\n" + CaretLine(line, diagnostic) + "\n";
    }
    return text;
}

std::string DiagnosticJson(std::string_view path, const Diagnostic& diagnostic) {
    // Ordered: the fields keep the order tools have always read them in.
    const nlohmann::ordered_json object{{"file", std::string(path)},
                                        {"line", diagnostic.line},
                                        {"column", diagnostic.column},
                                        {"endColumn", diagnostic.endColumn},
                                        {"severity", std::string(SeverityName(diagnostic.severity))},
                                        {"number", diagnostic.number},
                                        {"text", MathTextToUtf8(diagnostic.text)}};
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void PrintDiagnostics(std::ostream& out, std::string_view path, const std::vector<std::string>& lines,
                      const std::vector<Diagnostic>& diagnostics, DiagnosticFormat format, bool utf8) {
    std::size_t shown = 0;
    for (const Diagnostic& diagnostic : diagnostics) {
        if (format == DiagnosticFormat::Json) {
            out << DiagnosticJson(path, diagnostic) << '\n';
            continue;
        }
        if (shown++ == MostDiagnosticsShown) {
            out << path << ": " << diagnostics.size() - MostDiagnosticsShown << " more errors and warnings not shown\n";
            break;
        }
        // The path is the command line's bytes; only the texts and the line are Latin-1.
        const std::string text = DiagnosticText(path, lines, diagnostic);
        const std::size_t pathEnd = path.size();
        out << path << TerminalText(std::string_view(text).substr(pathEnd), utf8);
    }
    out.flush();
}

}  // namespace vekora
