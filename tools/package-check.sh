#!/usr/bin/env bash
# Checks the Debian package a user installs: builds it from a finished build (cpack -G DEB),
# reads its control fields and file list, runs lintian (an error fails), unpacks it and checks
# that its binaries are stripped with their debug information in nuvik-dbgsym, that no file
# names this checkout's path, and that `nuvik-new` makes a project that builds and passes its
# golden test against the unpacked package.
# Usage: tools/package-check.sh BUILD_DIR (a configured and built `default` build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
checkout=$PWD
work="$build/package-check"
rm -rf "$work" "$build"/nuvik_*.deb "$build"/nuvik-dbgsym_*.ddeb
mkdir -p "$work"

fail() {
    echo "package check: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed (above)"
}
shopt -s nullglob
debs=("$build"/nuvik_*.deb)
ddebs=("$build"/nuvik-dbgsym_*.ddeb)
[[ ${#debs[@]} -eq 1 && ${#ddebs[@]} -eq 1 ]] ||
    fail "expected one nuvik_*.deb and one nuvik-dbgsym_*.ddeb in $build"
deb=${debs[0]}
ddeb=${ddebs[0]}

# Control fields: present, and the description without stray spacing.
dpkg-deb --info "$deb" control >"$work/control.txt"
for field in Package Version Architecture Maintainer Section Priority Depends Recommends \
    Installed-Size Description; do
    grep -q "^$field: ." "$work/control.txt" || fail "the control file has no $field field"
done
depends=$(sed -n 's/^Depends: //p' "$work/control.txt")
[[ $depends == *libsdl2-2.0-0* && $depends == *fonts-unifont* ]] ||
    fail "Depends lacks SDL2 (from shlibdeps) or fonts-unifont: $depends"
# One space before each line of the extended description, no blank or verbatim lines, no
# doubled spaces.
if grep -nE '^Description:.*  |^ .*[^ ]  +[^ ]|^ +$|^  ' "$work/control.txt"; then
    fail "the description has stray spacing (above)"
fi

# The file list: what the package promises to carry.
dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/contents.txt"
for path in /usr/bin/nuvik /usr/bin/nuvik-golden /usr/bin/nuvik-new \
    /usr/share/doc/nuvik/copyright /usr/share/doc/nuvik/changelog.gz \
    /usr/share/doc/nuvik/LICENSE /usr/share/doc/nuvik/sdk.md \
    /usr/share/doc/nuvik/examples/CMakeLists.txt /usr/share/doc/nuvik/examples/game/CMakeLists.txt \
    /usr/share/doc/nuvik/examples/game/Game.cpp /usr/share/doc/nuvik/examples/game/Palette.cpp \
    /usr/share/doc/nuvik/examples/game/tests/play.png \
    /usr/share/man/man1/nuvik.1.gz /usr/share/man/man1/nuvik-new.1.gz \
    /usr/share/nuvik/template/CMakeLists.txt /usr/include/nuvik/sdk.h \
    /usr/lib/cmake/Nuvik/NuvikConfig.cmake /usr/lib/nuvik/nuvik-runner.o; do
    grep -qxF "$path" "$work/contents.txt" || fail "the package does not hold $path"
done
if grep -E -- '-(ACTUAL|DIFF)\.png$' "$work/contents.txt"; then
    fail "the package holds a failed test's pictures (above)"
fi

lintian --fail-on error --tag-display-limit 0 "$deb" "$ddeb" >"$work/lintian.txt" 2>&1 || {
    cat "$work/lintian.txt" >&2
    fail "lintian found errors (above)"
}
echo "lintian: $(grep -c '^E:' "$work/lintian.txt" || true) errors," \
    "$(grep -c '^W:' "$work/lintian.txt" || true) warnings"
grep '^W:' "$work/lintian.txt" || true

# Unpacked: stripped binaries whose debug information the -dbgsym package holds by build ID,
# what programs link without debug sections, and no trace of this checkout's path anywhere.
root="$work/root"
dpkg-deb -x "$deb" "$root"
dpkg-deb -x "$ddeb" "$work/dbgsym"
for binary in nuvik nuvik-golden; do
    file -b "$root/usr/bin/$binary" | grep -q ', stripped' || fail "usr/bin/$binary is not stripped"
    build_id=$(readelf -n "$root/usr/bin/$binary" | awk '/Build ID/ {print $3}')
    [[ -n $build_id ]] || fail "usr/bin/$binary has no build ID"
    debug="$work/dbgsym/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"
    readelf -S "$debug" 2>/dev/null | grep -q '\.debug_info' ||
        fail "nuvik-dbgsym holds no debug information for usr/bin/$binary"
done
linked=("$root"/usr/lib/nuvik/*.[ao])
[[ ${#linked[@]} -gt 0 ]] || fail "the package holds nothing for programs to link in usr/lib/nuvik"
for file in "${linked[@]}"; do
    if readelf -S "$file" | grep -q '\.debug_'; then
        fail "${file#"$root"} keeps debug sections"
    fi
done
if grep -rlaF "$checkout" "$root" "$work/dbgsym"; then
    fail "the files above name this checkout's path $checkout"
fi

# A new project, built and tested against the unpacked package as a user's CI would.
prefix="$root/usr"
(cd "$work" && "$prefix/bin/nuvik-new" demo-project) >"$work/new.log" 2>&1 || {
    cat "$work/new.log" >&2
    fail "nuvik-new demo-project failed (above)"
}
project="$work/demo-project"
for path in CMakeLists.txt Program.cpp tests/moves.txt tests/moves.png .gitignore \
    .github/workflows/test.yml; do
    [[ -f "$project/$path" ]] || fail "nuvik-new made no $path"
done
{
    cmake -S "$project" -B "$work/b" "-DCMAKE_PREFIX_PATH=$prefix" &&
        cmake --build "$work/b" && ctest --test-dir "$work/b" --output-on-failure
} >"$work/project.log" 2>&1 || {
    cat "$work/project.log" >&2
    fail "the new project does not build or pass its test (above)"
}
grep -E 'tests passed' "$work/project.log"
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB," \
    "$(basename "$ddeb"): $(du -k "$ddeb" | cut -f1) kB"
