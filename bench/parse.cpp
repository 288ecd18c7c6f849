// Compiling generated scripts of 10^3 to 10^5 lines (points, lines, circles, crossings,
// procedures with calls); the rate must not fall as the script grows.
#include <benchmark/benchmark.h>

#include <string>

#include "script/passes.h"

namespace {

constexpr int Procedures = 10;

vekora::ScriptLines GenerateScript(int lineCount) {
    vekora::ScriptLines lines{"TEXTWINDOW 10, 10, 300, 40"};  // so that no line draws to warn about
    const int procedureLines = Procedures * 4;
    int i = 0;
    while (static_cast<int>(lines.size()) + 8 < lineCount - procedureLines - 1) {
        const std::string n = std::to_string(i);
        lines.push_back("POINT A" + n + ", " + std::to_string(i % 300) + ", 20.5");
        lines.push_back("POINT B" + n + " = 120, " + std::to_string(i % 200) + ", DEFAULT, &HFF0000");
        lines.push_back("L" + n + " = LINE A" + n + ", B" + n);
        lines.push_back("C" + n + " = CIRCLE A" + n + ", B" + n + ", (0, 128, 255)");
        lines.push_back("P" + n + " Q" + n + " = CROSS C" + n + ", L" + n);
        lines.push_back("M" + n + " = MIDDLE P" + n + ", Q" + n + "  ' the middle");
        lines.push_back("CALL Mark" + std::to_string(i % Procedures) + " M" + n + ", L" + n);
        lines.push_back("TEXT \"Paso " + std::to_string(i % 50) + "\", 0x000080");
        ++i;
    }
    lines.push_back("END");
    for (int p = 0; p < Procedures; ++p) {
        lines.push_back("CONSTRUCTION Mark" + std::to_string(p) + " X, Y");
        lines.push_back("MARKPOINT X");
        lines.push_back("MARKLINE Y");
        lines.push_back("REPEAT");
    }
    return lines;
}

// With warnings the compiler also collects the diagnostics; their cost is the difference.
void CompileScriptAs(benchmark::State& state, bool warnings) {
    const vekora::ScriptLines lines = GenerateScript(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vekora::InstructionTable table;
        vekora::SymbolTable symbols;
        vekora::ErrorLists errors;
        vekora::CompileNotes notes;
        const std::int32_t result = warnings ? vekora::ParseScript(lines, table, errors, symbols, notes)
                                             : vekora::ParseScript(lines, table, errors, symbols);
        if (result != 0) state.SkipWithError("the generated script does not compile");
        if (!notes.warnings.empty()) state.SkipWithError("the generated script has warnings");
        benchmark::DoNotOptimize(table);
    }
    state.counters["lines_per_second"] = benchmark::Counter(
        static_cast<double>(lines.size()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void CompileScript(benchmark::State& state) { CompileScriptAs(state, false); }
void CompileScriptWithWarnings(benchmark::State& state) { CompileScriptAs(state, true); }

BENCHMARK(CompileScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileScriptWithWarnings)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Hostile lines of n bytes: an unclosed quote, n / 2 tokens, a number of n digits, a name
// of n bytes. The byte rate must hold from 64 KiB to 4 MiB.
void CompileLongLines(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    std::string tokens = "TEXT";
    while (tokens.size() < bytes) tokens += " t";
    const vekora::ScriptLines lines{
        "TEXT \"" + std::string(bytes, 'q'), tokens, "POINT A " + std::string(bytes, '7') + " 1",
        "POINT " + std::string(bytes, 'N') + " 1 2", "END"};
    for (auto _ : state) {
        vekora::InstructionTable table;
        vekora::SymbolTable symbols;
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::ParseScript(lines, table, errors, symbols));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes) * 4);
}

BENCHMARK(CompileLongLines)->Arg(1 << 16)->Arg(1 << 18)->Arg(1 << 20)->Arg(1 << 22)->Unit(benchmark::kMillisecond);

}  // namespace
