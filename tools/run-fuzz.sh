#!/usr/bin/env bash
# Runs the libFuzzer targets of the checking build (build-sanitize/, tools/run-tests.sh --sanitize).
#   tools/run-fuzz.sh [--keep] [SECONDS [TARGET...]]
# Each TARGET (default: every fuzz/*.cpp) first runs every input of its corpus, then new ones
# until SECONDS (default 60) have passed since it started; it must find nothing.
# The corpus: fuzz/corpus/TARGET, kept in the repository, and the seeds taken afresh from the
# sources (every example with its events for the whole-run target, the event files, the fonts).
# fuzz/TARGET.dict is handed over as the target's dictionary. What a run finds goes to
# build-sanitize/fuzz-found/TARGET; --keep then merges into fuzz/corpus/TARGET those of the run's
# inputs and seeds that reach code the corpus does not, to be committed.
set -euo pipefail
cd "$(dirname "$0")/.."
keep=false
if [ "${1:-}" = --keep ]; then keep=true; shift; fi
seconds="${1:-60}"
shift || true
names=("$@")
if [ "${#names[@]}" -eq 0 ]; then
  for source in fuzz/*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi

tools/install-deps.sh
build=$(tools/configure-build.sh --sanitize)
targets=()
for name in "${names[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" --target "${targets[@]}"

# The examples as whole runs: each script followed by its events, as the target splits them;
# their scripts and event files alone for the parsers.
seeds="$build/fuzz-seeds"
rm -rf "$seeds" && mkdir -p "$seeds/runs" "$seeds/scripts" "$seeds/events"
for script in examples/*.vek; do
  seed="$seeds/runs/$(basename "$script" .vek)"
  cp "$script" "$seed"
  events="${script%.vek}.events"
  if [ -f "$events" ]; then printf '\n@events\n' >>"$seed" && cat "$events" >>"$seed"; fi
done
cp examples/*.vek "$seeds/scripts/" && cp examples/*.events "$seeds/events/"

for name in "${names[@]}"; do
  corpus="fuzz/corpus/$name"
  found="$build/fuzz-found/$name"
  mkdir -p "$corpus" "$found"
  case "$name" in
    run_script) inputs=("$seeds/runs") ;;
    parse_script) inputs=("$seeds/scripts") ;;
    event_file) inputs=("$seeds/events") ;;
    load_font) inputs=(resources/fonts) ;;
    *) inputs=() ;;
  esac
  options=(-rss_limit_mb=4096 -timeout=60)
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  echo "Fuzzing $name for $seconds s"
  "$build/fuzz/fuzz_$name" "${options[@]}" -max_total_time="$seconds" "$found" "$corpus" "${inputs[@]}"
  if $keep; then
    "$build/fuzz/fuzz_$name" "${options[@]}" -merge=1 "$corpus" "$found" "${inputs[@]}"
  fi
done
