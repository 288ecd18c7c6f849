// Compiling generated scripts of 10^3 to 10^6 lines (points, lines, circles, crossings,
// procedures with calls); the rate must not fall as the script grows. The symbol table alone
// with 10^3 to 10^6 distinct names: its lookups in the order of definition must not slow
// down as it grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "script/passes.h"

namespace {

constexpr int Procedures = 10;
// A list holds at most 65,535 names: past this many groups of lines the names come round
// again (each group defines five points), as a long lesson reuses its names.
constexpr int NameGroups = 12500;

vekora::ScriptLines GenerateScript(int lineCount) {
    vekora::ScriptLines lines{"TEXTWINDOW 10, 10, 300, 40"};  // so that no line draws to warn about
    const int procedureLines = Procedures * 4;
    int i = 0;
    while (static_cast<int>(lines.size()) + 8 < lineCount - procedureLines - 1) {
        const std::string n = std::to_string(i % NameGroups);
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

BENCHMARK(CompileScript)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileScriptWithWarnings)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// n distinct names defined over the seven object lists, then each looked up in the order of
// definition, as the compiler's second pass meets them; or in no order, which the lookups
// near the last one found cannot help.
enum class LookupOrder { OfDefinition, Shuffled };

void SymbolLookupsIn(benchmark::State& state, LookupOrder order) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) names.push_back((i % 2 ? "Pt" : "Q") + std::to_string(i * 7919 % 1000003));
    vekora::SymbolTable symbols;
    for (std::size_t i = 0; i < count; ++i)
        symbols.DefineName(names[i], static_cast<std::int32_t>(vekora::TypePoint + i % vekora::TypeProcedure));
    if (order == LookupOrder::Shuffled) std::shuffle(names.begin(), names.end(), std::mt19937(3));
    std::size_t found = 0;
    for (auto _ : state) {
        for (const std::string& name : names) found += symbols.FindName(name).type != vekora::TypeNone;
    }
    if (found != count * static_cast<std::size_t>(state.iterations())) state.SkipWithError("a name was not found");
    state.counters["lookups_per_second"] =
        benchmark::Counter(static_cast<double>(found), benchmark::Counter::kIsRate);
}

void SymbolLookups(benchmark::State& state) { SymbolLookupsIn(state, LookupOrder::OfDefinition); }
void SymbolLookupsShuffled(benchmark::State& state) { SymbolLookupsIn(state, LookupOrder::Shuffled); }

BENCHMARK(SymbolLookups)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(SymbolLookupsShuffled)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
