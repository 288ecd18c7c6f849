#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

tools/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVEKORA_FUZZ=ON -DVEKORA_TESTS=OFF -DVEKORA_BENCH=OFF
targets=()
for source in fuzz/*.cpp; do targets+=("fuzz_$(basename "$source" .cpp)"); done
cmake --build build-fuzz --target "${targets[@]}"
for source in fuzz/*.cpp; do
  name="$(basename "$source" .cpp)"
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds-$name" ] && seeds+=("fuzz/seeds-$name")
  echo "Fuzzing $name for $seconds s"
  "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=4096 "$corpus" "${seeds[@]}"
done
