#!/usr/bin/env bash
# Installs what the browser build and its tests need, when any is missing: Debian's emscripten
# (offline: its system libraries come prebuilt), Chromium for the tests, node and npm.
set -euo pipefail

packages=(emscripten chromium nlohmann-json3-dev)
# Node may come from elsewhere (a newer release); Debian's is used only when there is none.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

exec "$(dirname "$0")/install-deps.sh" "${packages[@]}"
