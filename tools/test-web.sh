#!/usr/bin/env bash
# Builds the browser site and runs its tests in headless Chromium (playwright-core), comparing
# its pictures with the native program's, which it builds first.
#   tools/test-web.sh
set -euo pipefail
cd "$(dirname "$0")/.."

tools/build-web.sh
if [ ! -x build/vekora ]; then
  tools/configure-build.sh >/dev/null
fi
cmake --build build --target vekora
node --test --test-reporter=dot web/tests/*.test.mjs
