#!/usr/bin/env bash
# Installs what the browser build and its tests need, when any is missing: Debian's emscripten
# (offline: its system libraries come prebuilt), Chromium for the tests, node and npm.
set -euo pipefail

packages=(emscripten chromium)
# Node may come from elsewhere (a newer release); Debian's is used only when there is none.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
