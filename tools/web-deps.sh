#!/usr/bin/env bash
# Builds the C libraries the web build links (zlib, libpng, FreeType, giflib) and GoogleTest
# for wasm with
# Debian's emscripten, from Debian's own source packages, into a cache under build/web-deps.
# A second run finds the cache and does nothing; delete build/web-deps to rebuild.
# Emscripten's own ports would download their sources from elsewhere, which this machine
# cannot; Debian's source packages are the same versions the native build links.
# Usage: tools/web-deps.sh [PREFIX]   (default: build/web-deps/sysroot)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/build/web-deps/sysroot}
work=$root/build/web-deps/work
stamp=$prefix/.built-by-web-deps-3
if [[ -f $stamp ]]; then
  exit 0
fi
for tool in emcc emcmake emconfigure emmake emar apt-get dpkg-source; do
  if ! command -v "$tool" >/dev/null; then
    echo "web-deps: $tool is missing (tools/deps.sh web installs it)" >&2
    exit 1
  fi
done

rm -rf "$work" "$prefix"
mkdir -p "$work/lists/partial" "$work/src" "$prefix"
start=$SECONDS

# A private sources list and package index: the machine's apt configuration stays untouched,
# and no root is needed. Only bookworm main: its pool holds every version its index names.
echo "deb-src http://deb.debian.org/debian bookworm main" >"$work/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
             -o "Dir::State::Lists=$work/lists" -o "Debug::NoLocking=1" -qq)
echo "web-deps: fetching Debian's source packages (zlib libpng1.6 freetype giflib)"
apt-get "${apt_options[@]}" update 2>&1 | grep -v '^W: Download is performed unsandboxed' || true
(cd "$work/src" &&
  apt-get "${apt_options[@]}" source --download-only zlib libpng1.6 freetype giflib 2>&1 |
  grep -v '^W: Download is performed unsandboxed' || true)
unpack() {  # unpack PACKAGE: the Debian-patched tree, printed as a path
  local dsc
  dsc=$(ls "$work/src/$1"_*.dsc)
  (cd "$work/src" && dpkg-source --no-check -x "$dsc" "$work/$1" >/dev/null)
  echo "$work/$1"
}

# emcc's linker runs a JavaScript optimiser that needs Debian's acorn, which node looks for
# only when told where Debian keeps its modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export CFLAGS="-O2"
cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_INSTALL_PREFIX=$prefix"
              "-DCMAKE_FIND_ROOT_PATH=$prefix" -DBUILD_SHARED_LIBS=OFF)

echo "web-deps: zlib"
dir=$(unpack zlib)
(cd "$dir" && emconfigure ./configure --static "--prefix=$prefix" >/dev/null 2>&1 &&
  emmake make -j2 libz.a >/dev/null 2>&1 && emmake make install-libs >/dev/null 2>&1)
# configure names the archive's tools after the host; the headers are plain copies.
install -D -m 644 -t "$prefix/include" "$dir/zlib.h" "$dir/zconf.h"

echo "web-deps: libpng"
dir=$(unpack libpng1.6)
emcmake cmake -S "$dir" -B "$dir/build" "${cmake_common[@]}" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF "-DZLIB_LIBRARY=$prefix/lib/libz.a" "-DZLIB_INCLUDE_DIR=$prefix/include" \
  -DM_LIBRARY= >/dev/null
cmake --build "$dir/build" -j2 >/dev/null
cmake --install "$dir/build" >/dev/null

echo "web-deps: FreeType (zlib on; bzip2, PNG, HarfBuzz, Brotli off)"
dir=$(unpack freetype)
emcmake cmake -S "$dir" -B "$dir/build" "${cmake_common[@]}" -DFT_REQUIRE_ZLIB=ON \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON \
  "-DZLIB_LIBRARY=$prefix/lib/libz.a" "-DZLIB_INCLUDE_DIR=$prefix/include" >/dev/null
cmake --build "$dir/build" -j2 >/dev/null
cmake --install "$dir/build" >/dev/null

echo "web-deps: giflib"
dir=$(unpack giflib)
objects=()
for source in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
  emcc -O2 -c "$dir/$source.c" -o "$dir/$source.o"
  objects+=("$dir/$source.o")
done
emar rcs "$prefix/lib/libgif.a" "${objects[@]}"
install -m 644 "$dir/gif_lib.h" "$prefix/include/"
version=$(sed -n 's/^Version: //p' "$(ls "$work/src"/giflib_*.dsc)")
cat >"$prefix/lib/pkgconfig/libgif.pc" <<EOF
prefix=$prefix
Name: libgif
Description: giflib, built for wasm from Debian's source package
Version: ${version%%-*}
Libs: -L\${prefix}/lib -lgif
Cflags: -I\${prefix}/include
EOF

echo "web-deps: GoogleTest (Debian's /usr/src/googletest)"
CXXFLAGS="-O2 -fexceptions" emcmake cmake -S /usr/src/googletest -B "$work/googletest" "${cmake_common[@]}" -DBUILD_GMOCK=OFF \
  -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON >/dev/null 2>&1
cmake --build "$work/googletest" -j2 >/dev/null
cmake --install "$work/googletest" >/dev/null

rm -rf "$work"
touch "$stamp"
echo "web-deps: built into $prefix in $((SECONDS - start)) s"
