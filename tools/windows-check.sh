#!/usr/bin/env bash
# Checks the Windows build a user takes: nuvik.exe imports only DLLs that come with Windows,
# the package nuvik-VERSION-win64.zip holds it with its how-to-run text, licence and notices,
# the 32-bit record sizes hold for i686, and the build runs on Wine (tools/wine-check.sh).
# Usage: tools/windows-check.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
windows_build=$1
linux_build=$2
program="$windows_build/app/nuvik.exe"

# The 32-bit layouts: one file compiled for i686, nothing linked or run.
includes=(-I . -I win32/include)
[[ -d include ]] && includes+=(-I include)
i686-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Werror "${includes[@]}" \
  tests/records32/RecordSizes32.cpp
echo "32-bit record sizes (i686): ok"

# The DLLs every Windows has; anything else (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll, SDL2.dll, ...) would have to ship beside the program.
system_dlls="ddraw.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll user32.dll winmm.dll"
mapfile -t imports < <(x86_64-w64-mingw32-objdump -p "$program" |
  awk '/DLL Name:/ { print tolower($3) }' | sort -u)
for dll in "${imports[@]}"; do
  if [[ " $system_dlls " != *" $dll "* ]]; then
    echo "nuvik.exe imports $dll, which is not part of Windows" >&2
    exit 1
  fi
done
echo "nuvik.exe imports only system DLLs: ${imports[*]}"

cmake --build "$windows_build" --target package >/dev/null
shopt -s nullglob
packages=("$windows_build"/nuvik-*-win64.zip)
[[ ${#packages[@]} -eq 1 ]] || { echo "expected one nuvik-*-win64.zip in $windows_build" >&2; exit 1; }
python3 - "${packages[0]}" <<'PY'
import sys, zipfile
names = sorted(zipfile.ZipFile(sys.argv[1]).namelist())
if names != ["HOW-TO-RUN.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "nuvik.exe"]:
    sys.exit(f"{sys.argv[1]} holds {names}")
print(f"{sys.argv[1].rsplit('/', 1)[-1]}: {', '.join(names)}")
PY

tools/wine-check.sh "$windows_build" "$linux_build"
