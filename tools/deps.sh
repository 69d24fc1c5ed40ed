#!/usr/bin/env bash
# Makes sure the Debian packages a step needs are installed: installs the missing ones with
# apt-get when run as root, otherwise prints the exact apt-get line and fails.
# Usage: tools/deps.sh build|test
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
                libpng-dev libgif-dev fonts-unifont libgtest-dev libbenchmark-dev)
# The console picture's labels are regenerated with DejaVu Sans Bold in the asset tests.
test_packages_fonts=(fonts-dejavu-core)
test_packages=(clang-format mingw-w64 xvfb xdotool libx11-dev libxfixes-dev "${test_packages_fonts[@]}")

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == test ]]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
