#!/usr/bin/env bash
# The web step of ./test: the libraries for wasm (built once per machine, then cached), the
# runner under node with its tests (its runs byte-identical to the native runner's), the demo's
# page, Star Catcher's page built from the installed web package by an outside project, and
# both pages checked in headless Chromium. Needs the default build (the native runner the node
# runs are compared with). Prints the page's size and each step's time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${WEB_JOBS:-2}
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

step() { echo "-- $1 ($((SECONDS - started)) s)"; }
started=$SECONDS

tools/deps.sh web
tools/web-deps.sh
step "libraries for wasm ready"

cmake --preset web-node >/dev/null
cmake --build --preset web-node -j "$jobs"
step "web-node built"
log=build/web-node/ctest.log
if ! ctest --preset web-node --output-on-failure >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "web-check: the tests under node failed (full log: $log)" >&2
  exit 1
fi
grep -E 'tests passed|Total Test time' "$log"
step "web-node tests"

cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
page=build/web/app/nuvik.html
raw=$(stat -c %s "$page")
gzipped=$(gzip -9c "$page" | wc -c)
echo "nuvik.html: $raw bytes ($((raw / 1024)) KiB), $gzipped gzipped ($((gzipped / 1024)) KiB)"
if ((raw > 6 * 1024 * 1024 || gzipped > 2 * 1024 * 1024)); then
  echo "web-check: the page is larger than 6 MB or 2 MB gzipped" >&2
  exit 1
fi
step "the demo's page"

# Star Catcher, built as an author builds it: an outside project configured with emcmake
# against the web install.
stage=$root/build/sdk-stage-web
rm -rf "$stage" build/examples-web
cmake --install build/web --prefix "$stage" >/dev/null
emcmake cmake -S examples/game -B build/examples-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$stage" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null 2>&1
cmake --build build/examples-web -j "$jobs"
step "star-catcher.html from the installed package"

# The pages and what the checks load beside them, served from one folder.
pages=build/web/check
rm -rf "$pages"
mkdir -p "$pages"
cp "$page" build/examples-web/star-catcher.html tests/web/pause-at-2000.txt "$pages/"
cp examples/game/tests/play.txt "$pages/play.txt"
goldens=build/web/check-goldens
rm -rf "$goldens"
mkdir -p "$goldens"
cp tests/golden/runner/console-2000.png "$goldens/console-2000.png"
cp examples/game/tests/play.png "$goldens/star-catcher-play.png"
NODE_PATH=$root/build/web-deps/npm/node_modules node tests/web/browser-check.js "$pages" "$goldens"
step "browser checks"
