#!/usr/bin/env bash
# Installs the Debian packages that building and testing Vekora need, when any is missing.
set -euo pipefail

# With package names as arguments, those are installed instead of the build's own list.
if [ $# -gt 0 ]; then
  packages=("$@")
else
  packages=(
    build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev
    libsdl2-dev libpng-dev
    libcairo2-dev fonts-dejavu-core librsvg2-bin qpdf poppler-utils
    libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    xvfb xauth imagemagick xdotool
    tesseract-ocr tesseract-ocr-spa
    dpkg-dev shared-mime-info desktop-file-utils gettext
  )
fi

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
