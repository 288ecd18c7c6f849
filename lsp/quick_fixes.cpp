// Diagnostics as the editor shows them, and the changes their hints propose.
#include "lsp/features.h"
#include "script/hint_texts.h"

namespace vekora::lsp {
namespace {

// LSP DiagnosticSeverity values.
constexpr int SeverityError = 1, SeverityWarning = 2;

Json DiagnosticJson(const Lesson& lesson, const Diagnostic& diagnostic) {
    const std::int32_t line = diagnostic.line - 1;
    return Json{{"range", RangeJson(lesson, line, LineSpan{diagnostic.column - 1, diagnostic.endColumn - 1})},
                {"severity", diagnostic.severity == Severity::Error ? SeverityError : SeverityWarning},
                {"code", diagnostic.number},
                {"source", "vekora"},
                {"message", Utf8(diagnostic.text)}};
}

}  // namespace

Json DiagnosticsJson(const Lesson& lesson) {
    Json list = Json::array();
    for (const Diagnostic& diagnostic : lesson.Diagnostics()) list.push_back(DiagnosticJson(lesson, diagnostic));
    return list;
}

Json CodeActions(Lesson& lesson, const Json& params, const std::string& uri) {
    const Json range = params.value("range", Json::object());
    const std::int32_t first = range.value("start", Json::object()).value("line", 0);
    const std::int32_t last = range.value("end", Json::object()).value("line", first);
    Json actions = Json::array();
    for (const Diagnostic& diagnostic : lesson.Diagnostics()) {
        const std::int32_t line = diagnostic.line - 1;
        if (line < first || line > last) continue;
        for (std::size_t f = 0; f < diagnostic.fixes.size(); ++f) {
            const TextFix& fix = diagnostic.fixes[f];
            const Json edit{{"range", RangeJson(lesson, line, fix.span)}, {"newText", Utf8(fix.replacement)}};
            actions.push_back(Json{{"title", Utf8(FormatHint(HintId::FixReplaceWith, fix.replacement))},
                                   {"kind", "quickfix"},
                                   {"isPreferred", f == 0},
                                   {"diagnostics", Json::array({DiagnosticJson(lesson, diagnostic)})},
                                   {"edit", Json{{"changes", Json{{uri, Json::array({edit})}}}}}});
        }
    }
    return actions;
}

}  // namespace vekora::lsp
