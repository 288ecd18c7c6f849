#!/usr/bin/env bash
# Configures a build folder, compiling through ccache when it is installed (a rebuild, or a
# fresh clone on a machine that built the same sources before, then compiles only what changed).
#   tools/configure-build.sh              the normal build, in build/
#   tools/configure-build.sh --sanitize   the checking build, in build-sanitize/: clang with
#       AddressSanitizer and UndefinedBehaviorSanitizer, the tests and the fuzz targets, at -O1
#       (the sanitizers' checks cost more than the lost optimisation), without benchmarks.
#   tools/configure-build.sh --web        the browser build, in build-web/cmake/ (emscripten)
# Prints the build folder's name. $CI set makes warnings errors in the native builds.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
configure=(cmake)
options=()
case "${1:-}" in
  --web)
    build=build-web/cmake
    configure=(emcmake cmake)
    options+=(-DCMAKE_BUILD_TYPE=Release -DVEKORA_TESTS=OFF -DVEKORA_BENCH=OFF) ;;
  --sanitize)
    build=build-sanitize
    # Line tables are what the sanitizers' reports need, at a fraction of full debug information.
    flags="-O1 -gline-tables-only"
    options+=(-DVEKORA_SANITIZE=ON -DVEKORA_FUZZ=ON -DVEKORA_BENCH=OFF
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
              "-DCMAKE_C_FLAGS_DEBUG=$flags" "-DCMAKE_CXX_FLAGS_DEBUG=$flags") ;;
  "") ;;
  *) echo "usage: $0 [--sanitize|--web]" >&2; exit 2 ;;
esac
if [ -n "${CI:-}" ] && [ "$build" != build-web/cmake ]; then
  options+=(-DVEKORA_WERROR=ON)
fi
if command -v ccache >/dev/null; then
  # Paths below the source folder hashed as relative ones, so that another clone of the same
  # sources finds them in the cache.
  launcher="env;CCACHE_BASEDIR=$PWD;ccache"
  options+=("-DCMAKE_C_COMPILER_LAUNCHER=$launcher" "-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher")
fi

"${configure[@]}" -S . -B "$build" -G Ninja "${options[@]}" >&2
echo "$build"
