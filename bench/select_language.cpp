// What choosing the language adds to every start of the program (the whole start is measured
// by bench_process_start): no catalogue for the program's own Spanish, and reading the English
// catalogue (every text converted to Latin-1 and sorted) when English is asked for; then the
// cost of one lookup, paid by every text shown.
#include <benchmark/benchmark.h>

#include "i18n/language.h"

namespace {

void SelectSpanish(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vekora::SelectLanguage("C"));
}
BENCHMARK(SelectSpanish)->Unit(benchmark::kMicrosecond);

void SelectEnglish(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vekora::SelectLanguage("en_US.UTF-8"));
    vekora::SelectLanguage("C");
}
BENCHMARK(SelectEnglish)->Unit(benchmark::kMicrosecond);

void LookUpInEnglish(benchmark::State& state) {
    vekora::SelectLanguage("en");
    for (auto _ : state) {
        benchmark::DoNotOptimize(vekora::Tr("Tipos no coinciden: Primero definido como %s, ahora usado como %s"));
    }
    vekora::SelectLanguage("C");
}
BENCHMARK(LookUpInEnglish);

}  // namespace
