#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#   tools/run-fuzz.sh [SECONDS [TARGET...]]
# runs each TARGET (default: every fuzz/*.cpp) for SECONDS (default 60); it must find nothing.
# Seeds: fuzz/seeds-TARGET, and for the whole-run target every example with its events;
# fuzz/TARGET.dict is handed over as the target's dictionary.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
names=("$@")
if [ "${#names[@]}" -eq 0 ]; then
  for source in fuzz/*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi

tools/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVEKORA_FUZZ=ON -DVEKORA_TESTS=OFF -DVEKORA_BENCH=OFF
targets=()
for name in "${names[@]}"; do targets+=("fuzz_$name"); done
cmake --build build-fuzz --target "${targets[@]}"

# The examples as whole runs: each script followed by its events, as the target splits them.
examples=build-fuzz/seeds-examples
rm -rf "$examples" && mkdir -p "$examples"
for script in examples/*.vek; do
  seed="$examples/$(basename "$script" .vek)"
  cp "$script" "$seed"
  events="${script%.vek}.events"
  if [ -f "$events" ]; then printf '\n@events\n' >>"$seed" && cat "$events" >>"$seed"; fi
done
eventSeeds=build-fuzz/seeds-events
rm -rf "$eventSeeds" && mkdir -p "$eventSeeds" && cp examples/*.events "$eventSeeds"/

for name in "${names[@]}"; do
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds-$name" ] && seeds+=("fuzz/seeds-$name")
  case "$name" in
    run_script) seeds+=("$examples") ;;
    event_file) seeds+=("$eventSeeds") ;;
    load_font) seeds+=(resources/fonts) ;;
  esac
  options=(-max_total_time="$seconds" -rss_limit_mb=4096 -timeout=60)
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  echo "Fuzzing $name for $seconds s"
  "build-fuzz/fuzz/fuzz_$name" "${options[@]}" "$corpus" "${seeds[@]}"
done
