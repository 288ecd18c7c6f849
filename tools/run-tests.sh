#!/usr/bin/env bash
# Installs what is missing, builds Vekora and runs every test.
#   tools/run-tests.sh              the normal build, in build/, and the browser build's tests
#   tools/run-tests.sh --sanitize   the checking build, in build-sanitize/: clang with
#                                   AddressSanitizer and UndefinedBehaviorSanitizer (it holds the
#                                   fuzz targets too: tools/run-fuzz.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
  --sanitize|"") ;;
  *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
esac

tools/install-deps.sh
build=$(tools/configure-build.sh "$@")
cmake --build "$build"

if [ "$build" = build-sanitize ]; then
  # Leaks inside third-party libraries, listed with the reason for each.
  export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
fi
# The window tests need a display; without one, lend them a virtual X server.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure -j2
else
  ctest --test-dir "$build" --output-on-failure -j2
fi

# The browser build's tests, when its toolchain is installed (tools/install-web-deps.sh).
if [ "$build" = build ]; then
  if command -v emcc >/dev/null && command -v chromium >/dev/null && command -v npm >/dev/null; then
    tools/test-web.sh
  else
    echo "The browser build's tests are skipped: run tools/install-web-deps.sh to install its toolchain."
  fi
fi
