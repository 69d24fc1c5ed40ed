#!/usr/bin/env bash
# Checks the Windows build on Wine: the conformance tests (conformance.exe) and nuvik.exe end to
# end (wine_run_test), on private X servers, under the Korean locale. The Wine prefix is made
# once per build tree (BUILD/wine-prefix) and reused.
# Usage: tools/wine-check.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."

windows_build=$(realpath "$1")
linux_build=$(realpath "$2")

fail() {
  echo "Wine checks: $*" >&2
  echo "Wine checks: NOT RUN - this is a failure, not a pass" >&2
  exit 1
}

wine=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null || true)"; do
  if [[ -n "$candidate" && -x "$candidate" ]]; then
    wine=$candidate
    break
  fi
done
[[ -n "$wine" ]] || fail "Wine (64-bit) is not installed (tools/deps.sh test installs wine, wine64)"
command -v Xvfb >/dev/null || fail "Xvfb is not installed"
command -v xdotool >/dev/null || fail "xdotool is not installed"
locale -a 2>/dev/null | grep -qix 'ko_KR.utf8' ||
  fail "the Korean locale is missing (localedef -i ko_KR -f UTF-8 ko_KR.UTF-8)"
cmake --build "$linux_build" --target wine_run_test >/dev/null ||
  fail "wine_run_test could not be built in $linux_build"
conformance="$windows_build/tests/conformance/conformance.exe"
program="$windows_build/app/nuvik.exe"
run_test="$linux_build/tests/wine/wine_run_test"
for file in "$conformance" "$program" "$run_test"; do
  [[ -f "$file" ]] || fail "$file has not been built"
done

export WINEPREFIX="$windows_build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
logs="$windows_build/wine-logs"
mkdir -p "$logs"

xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

# A private X server for the prefix set-up and the conformance tests: 640 x 480 x 24.
display_file=$(mktemp)
exec {display_fd}>"$display_file"
Xvfb -displayfd "$display_fd" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s "$display_file" ]] && break
  sleep 0.1
done
exec {display_fd}>&-
[[ -s "$display_file" ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "Making the Wine prefix $WINEPREFIX"
  "$wine" wineboot -i >"$logs/wineboot.log" 2>&1 || fail "wineboot failed (see $logs/wineboot.log)"
  # DirectDraw drawn through GDI, as on Windows: Wine's OpenGL renderer puts an OpenGL surface
  # over the exclusive-mode window that hides the GDI painting of the window and its children
  # (README, Conformance).
  "$wine" reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f \
    >>"$logs/wineboot.log" 2>&1 || fail "the Wine prefix could not be configured"
  # The X servers here have no window manager: conformance.exe's windows must not wait for one
  # (Wine gives a managed window two seconds to be withdrawn on every hide).
  "$wine" reg add 'HKCU\Software\Wine\AppDefaults\conformance.exe\X11 Driver' /v Managed \
    /t REG_SZ /d N /f \
    >>"$logs/wineboot.log" 2>&1 || fail "the Wine prefix could not be configured"
  wineserver -w 2>/dev/null || true
fi
"$wine" cmd /c exit 0 >/dev/null 2>&1 || fail "Wine cannot start programs (prefix $WINEPREFIX)"

echo "-- conformance.exe under Wine ($(${wine} --version 2>/dev/null || echo Wine))"
xml="$logs/conformance.xml"
rm -f "$xml"
set +e
xml_windows=$("$wine" winepath -w "$xml" 2>/dev/null) || fail "winepath cannot name $xml"
LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8 "$wine" "$conformance" "--gtest_output=xml:$xml_windows" \
  >"$logs/conformance.log" 2>&1
conformance_status=$?
set -e
[[ -f "$xml" ]] || fail "conformance.exe wrote no results (see $logs/conformance.log)"
results_status=0
python3 - "$xml" <<'PY' || results_status=$?
import sys
import xml.etree.ElementTree as ET
cases = ET.parse(sys.argv[1]).getroot().iter("testcase")
ran = passed = 0
failed, departures = [], []
for case in cases:
    name = f'{case.get("classname")}.{case.get("name")}'
    ran += 1
    reason = None
    for prop in case.iter("property"):
        if prop.get("name") == "wine_departure":
            reason = prop.get("value")
    skipped = case.get("result") == "skipped" or case.find("skipped") is not None
    if case.find("failure") is not None:
        failed.append(name)
    elif case.get("status") == "notrun":
        failed.append(f"{name} (did not run)")
    elif skipped and reason is not None:
        departures.append((name, reason))
    elif skipped:
        # Only a marked Wine departure may skip: any other skip checked nothing.
        failed.append(f"{name} (skipped without a Wine departure's reason)")
    else:
        passed += 1
print(f"Wine conformance: {ran} cases ran under Wine, {passed} passed, "
      f"{len(departures)} marked as Wine departures, {len(failed)} failed")
for name, reason in departures:
    print(f"  Wine departure: {name}: {reason}")
for name in failed:
    print(f"  FAILED: {name}")
if ran == 0:
    print("  no case ran: conformance.exe checked nothing")
sys.exit(1 if failed or ran == 0 else 0)
PY
if [[ $conformance_status -ne 0 ]]; then
  tail -n 40 "$logs/conformance.log" >&2
  fail "conformance tests failed under Wine (see $logs/conformance.log)"
fi
[[ $results_status -eq 0 ]] || fail "conformance.exe's results under Wine are not a pass (above)"
kill "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""

echo "-- nuvik.exe under Wine"
set +e
NUVIK_WINE="$wine" NUVIK_WINDOWS_EXE="$program" NUVIK_WINE_LOGS="$logs" \
  "$run_test" >"$logs/wine_run_test.log" 2>&1
run_status=$?
set -e
grep -E '^\[ +(OK|FAILED) +\]|Failure|Expected|Which is|  Actual' "$logs/wine_run_test.log" || true
[[ $run_status -eq 0 ]] || fail "nuvik.exe failed its runs under Wine (see $logs/wine_run_test.log)"
echo "Wine checks: ok"
