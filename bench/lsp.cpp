// The language server at a teacher's pace on long lessons: the diagnostics after a keystroke
// in a 10,000-line lesson (the whole text comes again, as full sync sends it), completion at a
// keyword and at an argument, the browser editor's completion after a keystroke (the lesson
// compiled again, then asked), and the memory the server holds for a 100,000-line lesson.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "lsp/features.h"
#include "lsp/server.h"

namespace {

using vekora::lsp::Json;

// A lesson of about lineCount lines: figures, their crossings, a construction called often.
std::string GenerateLesson(int lineCount) {
    std::string text = "SCREEN 640, 480\n";
    for (int i = 0; i * 6 + 8 < lineCount; ++i) {
        const std::string n = std::to_string(i % 10000);
        text += "POINT A" + n + ", " + std::to_string(i % 600) + ", 40\n";
        text += "POINT B" + n + ", 300, " + std::to_string(i % 400) + ", DEFAULT, &HFF0000\n";
        text += "L" + n + " = LINE A" + n + ", B" + n + "\n";
        text += "K" + n + " = CIRCLE A" + n + ", B" + n + "  ' round A\n";
        text += "P" + n + " Q" + n + " = CROSS K" + n + ", L" + n + "\n";
        text += "CALL Mark P" + n + "\n";
    }
    return text + "END\nCONSTRUCTION Mark X\nMARKPOINT X\nREPEAT\n";
}

const std::string Uri = "file:///long.vek";

std::string Notification(const std::string& method, const Json& params) {
    return Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump();
}

std::string Request(const std::string& method, const Json& params) {
    return Json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", method}, {"params", params}}.dump();
}

std::string Open(const std::string& text) {
    return Notification("textDocument/didOpen", Json{{"textDocument", Json{{"uri", Uri}, {"text", text}}}});
}

// A keystroke: the text with one character of its middle line changed, sent whole.
void DiagnosticsAfterKeystroke(benchmark::State& state) {
    std::string text = GenerateLesson(static_cast<int>(state.range(0)));
    std::ostringstream out;
    vekora::lsp::Server server(out);
    server.Handle(Open(text));
    const std::size_t middle = text.find("POINT A", text.size() / 2) + 9;
    for (auto _ : state) {
        text[middle] = text[middle] == '1' ? '2' : '1';
        server.Handle(Notification("textDocument/didChange",
                                   Json{{"textDocument", Json{{"uri", Uri}}}, {"contentChanges", Json::array({Json{{"text", text}}})}}));
        out.str({});
    }
}
BENCHMARK(DiagnosticsAfterKeystroke)->Arg(10000)->Unit(benchmark::kMillisecond);

// A 10,000-line lesson whose last main line is a statement being written, "M = MIDLINE A1, ";
// `line` is that line's number.
std::string LessonBeingWritten(int& line) {
    std::string text = GenerateLesson(10000);
    const std::size_t end = text.find("END\n");
    text.insert(end, "M = MIDLINE A1, ");
    line = static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
    return text;
}

// Completion of an argument (the names of its kind) and of a keyword, on the last main line.
void CompletionAt(benchmark::State& state, int character) {
    int line = 0;
    const std::string text = LessonBeingWritten(line);
    std::ostringstream out;
    vekora::lsp::Server server(out);
    server.Handle(Open(text));
    const std::string request = Request(
        "textDocument/completion",
        Json{{"textDocument", Json{{"uri", Uri}}}, {"position", Json{{"line", line}, {"character", character}}}});
    for (auto _ : state) {
        server.Handle(request);
        out.str({});
    }
}
void CompletionOfAnArgument(benchmark::State& state) { CompletionAt(state, 16); }
void CompletionOfAKeyword(benchmark::State& state) { CompletionAt(state, 5); }
BENCHMARK(CompletionOfAnArgument)->Unit(benchmark::kMillisecond);
BENCHMARK(CompletionOfAKeyword)->Unit(benchmark::kMillisecond);

// The web editor's path: each keystroke hands the module the whole text, which it compiles before
// answering the completion at the cursor, here an argument being typed on the last main line.
void CompletionAfterKeystroke(benchmark::State& state) {
    int line = 0;
    std::string text = LessonBeingWritten(line);
    const std::size_t middle = text.find("POINT A", text.size() / 2) + 9;
    const Json position{{"position", Json{{"line", line}, {"character", 16}}}};
    vekora::lsp::Lesson lesson;
    for (auto _ : state) {
        text[middle] = text[middle] == '1' ? '2' : '1';
        lesson.SetText(text);
        benchmark::DoNotOptimize(vekora::lsp::Completion(lesson, position));
    }
}
BENCHMARK(CompletionAfterKeystroke)->Unit(benchmark::kMillisecond);

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// What a 100,000-line lesson costs the server: its text, tables, diagnostics and the index of
// its names (built by a request for references), as resident memory grows.
void MemoryOfALongLesson(benchmark::State& state) {
    const std::string text = GenerateLesson(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const long before = ResidentKilobytes();
        std::ostringstream out;
        vekora::lsp::Server server(out);
        server.Handle(Open(text));
        server.Handle(Request("textDocument/references",
                              Json{{"textDocument", Json{{"uri", Uri}}}, {"position", Json{{"line", 1}, {"character", 7}}}}));
        state.counters["server_MB"] = static_cast<double>(ResidentKilobytes() - before) / 1024.0;
        state.counters["lesson_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    }
}
BENCHMARK(MemoryOfALongLesson)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
