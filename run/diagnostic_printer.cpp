// Formats diagnostics for a terminal, an editor's problem matcher or a tool.
#include "run/diagnostic_printer.h"

#include <nlohmann/json.hpp>

#include "draw/math_text.h"

namespace vekora {
namespace {

std::string_view SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

// Blanks under every character before the token, keeping TABs so that the caret lines up
// however the terminal sets its tab stops.
std::string CaretLine(std::string_view line, const Diagnostic& diagnostic) {
    std::string caret;
    const auto before = static_cast<std::size_t>(diagnostic.column - 1);
    for (std::size_t i = 0; i < before; ++i) caret.push_back(i < line.size() && line[i] == '\t' ? '\t' : ' ');
    caret.push_back('^');
    for (std::int32_t c = diagnostic.column + 1; c < diagnostic.endColumn; ++c) caret.push_back('~');
    return caret;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    return nlohmann::json(std::string(utf8)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string DiagnosticText(std::string_view path, const std::vector<std::string>& lines, const Diagnostic& diagnostic) {
    std::string text = std::string(path) + ":" + std::to_string(diagnostic.line) + ":" + std::to_string(diagnostic.column) +
                       ": " + std::string(SeverityName(diagnostic.severity));
    if (diagnostic.severity == Severity::Error) text += "[" + std::to_string(diagnostic.number) + "]";
    text += ": " + diagnostic.text + "\n";
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
    for (const Diagnostic& diagnostic : diagnostics) {
        if (format == DiagnosticFormat::Json) {
            out << DiagnosticJson(path, diagnostic) << '\n';
            continue;
        }
        // The path is the command line's bytes; only the texts and the line are Latin-1.
        const std::string text = DiagnosticText(path, lines, diagnostic);
        const std::size_t pathEnd = path.size();
        out << path << (utf8 ? MathTextToUtf8(text.substr(pathEnd)) : text.substr(pathEnd));
    }
    out.flush();
}

}  // namespace vekora
