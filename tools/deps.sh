#!/usr/bin/env bash
# Makes sure the Debian packages a step needs are installed: installs the missing ones with
# apt-get when run as root, otherwise prints the exact apt-get line and fails.
# Usage: tools/deps.sh build|test|web   (test includes web)
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
                libpng-dev libgif-dev fonts-unifont libgtest-dev libbenchmark-dev)
# The console picture's labels are regenerated with DejaVu Sans Bold in the asset tests.
test_packages_fonts=(fonts-dejavu-core)
# The Windows build is checked on Wine (64-bit loader), under the Korean locale, on Xvfb.
test_packages_wine=(wine wine64 locales)
# The Debian package is built, inspected and linted (tools/package-check.sh); its man pages are
# made with help2man.
test_packages_package=(dpkg-dev file lintian help2man)
# The web build: Debian's emscripten, fonttools to cut the page's font down, the source
# package tools for the libraries built for wasm (tools/web-deps.sh), and the browser that
# checks the pages.
web_packages=(emscripten fonttools dpkg-dev fonts-unifont chromium)
# Programs are built with Clang too: the SDK does not depend on GCC's -fexec-charset.
test_packages=(clang clang-format mingw-w64 googletest xvfb xdotool libx11-dev libxfixes-dev
               "${test_packages_fonts[@]}" "${test_packages_wine[@]}"
               "${test_packages_package[@]}" "${web_packages[@]}")

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == test ]]; then
  wanted+=("${test_packages[@]}")
elif [[ "${1:-build}" == web ]]; then
  wanted=("${web_packages[@]}")
fi

# The browser checks drive Chromium with puppeteer-core from npm, pinned (24.x is the last
# line that runs on Debian's node 20), into a cache under build/ once per machine.
puppeteer_version=24.43.1
puppeteer_dir="$(cd "$(dirname "$0")/.." && pwd)/build/web-deps/npm"
install_puppeteer() {
  [[ "${1:-build}" == test || "${1:-build}" == web ]] || return 0
  [[ -f "$puppeteer_dir/node_modules/puppeteer-core/package.json" ]] &&
    grep -q "\"version\": \"$puppeteer_version\"" \
      "$puppeteer_dir/node_modules/puppeteer-core/package.json" && return 0
  echo "Installing puppeteer-core $puppeteer_version into $puppeteer_dir"
  mkdir -p "$puppeteer_dir"
  (cd "$puppeteer_dir" && npm install --no-audit --no-fund --silent --prefix . \
    "puppeteer-core@$puppeteer_version" >/dev/null)
}

# Texts are CP949 bytes: the Wine runs need the Korean locale to draw them.
korean_locale_missing() {
  [[ "${1:-build}" == test ]] && ! locale -a 2>/dev/null | grep -qix 'ko_KR.utf8'
}

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [[ ${#missing[@]} -eq 0 ]] && ! korean_locale_missing "${1:-build}"; then
  install_puppeteer "${1:-build}"
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if korean_locale_missing "${1:-build}"; then
    echo "Making the Korean locale ko_KR.UTF-8"
    localedef -i ko_KR -f UTF-8 ko_KR.UTF-8
  fi
  install_puppeteer "${1:-build}"
else
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
  fi
  if korean_locale_missing "${1:-build}"; then
    echo "The Korean locale is missing; make it with:" >&2
    echo "  sudo localedef -i ko_KR -f UTF-8 ko_KR.UTF-8" >&2
  fi
  exit 1
fi
