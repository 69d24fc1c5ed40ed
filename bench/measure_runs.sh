#!/usr/bin/env bash
# Measures the runner as a user runs it, on the real clock:
#
#  1. Frame pacing. Three 10-second headless runs at target rates 10, 35 (the slider's start
#     value) and 60; a script clicks the slider's thumb at (95, 450) to give it the focus and
#     presses Home (10) or End (60). The report's shown_fps lists every value the
#     "N Frame / Sec" line showed. A frame is drawn once 1000 / target milliseconds, truncated,
#     have passed since the last one (100, 28 and 16 ms), and the frame counter closes its window
#     at the first frame more than 1000 ms after the window opened, counting that frame too. So
#     a window holds 1000 / interval + 1 frames: 11 at 10 (the 11th frame at 1100 ms, 1000 ms is
#     not yet "more than"), 36 at 35 (36 x 28 = 1008) and 63 at 60 (63 x 16 = 1008), not the
#     target itself. The real clock may let a frame come a millisecond late (the loop was busy
#     or descheduled when the frame fell due), which can drop a window by one; every value after
#     the first second must lie within one of 11, 36 or 63. The first window is left out when the
#     script changed the target in it, because it mixes two rates.
#  2. Peak resident memory (/usr/bin/time -v) of a 10-second headless run (target under 64 MB)
#     and of a 10-second SDL run in a window on a private Xvfb at 640x480x16 (target under
#     128 MB), and what that memory is: /proc/PID/smaps read 5 seconds into each run, summed by
#     kind of mapping (heap, other anonymous memory, shared libraries, fonts, the runner's own
#     binary, shared memory with the X server, other files).
#
# Usage: bench/measure_runs.sh [RUNNER]   (default: build/default/app/nuvik)
# Environment: MEASURE_DISPLAY, the display number for Xvfb (default :93); MEASURE_NICE, a
# niceness for the pacing runs (e.g. -20 as root) on a machine that others are loading: the
# loop polls the clock without ever sleeping, so a process that waits for a processor draws
# its frames late and the counts drop by the time it waited.
# Exits 0 when every figure met its target, 1 when one did not, 2 when it could not measure.
# The machine should be otherwise idle: on a loaded machine the real clock shows the load.
set -uo pipefail

cd "$(dirname "$0")/.." || exit 2
runner=${1:-build/default/app/nuvik}
display=${MEASURE_DISPLAY:-:93}
seconds=10
work=$(mktemp -d "${TMPDIR:-/tmp}/nuvik-measure.XXXXXX")
xvfb_pid=""
failed=0

# shellcheck disable=SC2317  # called by the EXIT trap
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

die() {
  echo "measure_runs: $*" >&2
  exit 2
}

[[ -x "$runner" ]] || die "no runner at $runner (build the nuvik target, or pass its path)"
[[ -x /usr/bin/time ]] || die "/usr/bin/time is missing (apt-get install time)"
command -v jq >/dev/null || die "jq is missing (apt-get install jq)"

echo "Runner: $runner"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
echo

# --- 1. Frame pacing ---------------------------------------------------------------------

pacing_run() {
  local target=$1 expected=$2 key=$3
  local script="$work/rate$target.txt" report="$work/rate$target.json"
  local changes_target=0
  : >"$script"
  if [[ -n "$key" ]]; then
    printf '100 click 95 450\n200 key %s down\n210 key %s up\n' "$key" "$key" >"$script"
    changes_target=1
  fi
  if ! nice -n "${MEASURE_NICE:-0}" "$runner" --headless --run-for=$((seconds * 1000)) \
    --script="$script" --report="$report" 2>"$work/rate$target.err"; then
    echo "target $target: the runner failed:" >&2
    cat "$work/rate$target.err" >&2
    failed=1
    return
  fi
  local reported frames shown
  reported=$(jq '.target_fps' "$report")
  frames=$(jq '.frames_presented' "$report")
  shown=$(jq -c '.shown_fps' "$report")
  # Leave out the leading 0 (no count yet) and, when the target changed in it, the first window.
  local -a counts
  mapfile -t counts < <(jq '.shown_fps | map(select(. != 0)) | .[]' "$report")
  local first=0
  ((changes_target && ${#counts[@]} > 1)) && first=1
  local verdict="ok"
  if [[ "$reported" != "$target" ]]; then
    verdict="FAILED: the target ended at $reported"
  elif ((${#counts[@]} == 0)); then
    verdict="FAILED: no count was ever shown"
  else
    local i
    for ((i = first; i < ${#counts[@]}; ++i)); do
      if ((counts[i] < expected - 1 || counts[i] > expected + 1)); then
        verdict="FAILED: ${counts[i]} is not within one of $expected"
        break
      fi
    done
  fi
  [[ "$verdict" == ok ]] || failed=1
  printf 'target %2d: shown_fps %s (pacing gives %d); %d frames in %d s (%.1f a second): %s\n' \
    "$target" "$shown" "$expected" "$frames" "$seconds" \
    "$(awk -v f="$frames" -v s="$seconds" 'BEGIN { print f / s }')" "$verdict"
}

echo "Frame pacing, ${seconds}-second headless runs on the real clock (niceness ${MEASURE_NICE:-0}):"
pacing_run 10 11 home
pacing_run 35 36 ""
pacing_run 60 63 end
echo

# --- 2. Peak resident memory ---------------------------------------------------------------

# Resident kilobytes of each kind of mapping in /proc/PID/smaps.
memory_breakdown() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / {
      path = (NF >= 6) ? $6 : ""
      if (path == "[heap]") kind = "heap (malloc arena)"
      else if (path == "") kind = "other anonymous (mmap: big blocks, thread stacks, SDL)"
      else if (path ~ /^\[stack/) kind = "stack"
      else if (path ~ /^\[/) kind = "kernel ([vdso], [vvar])"
      else if (path ~ /\.(ttf|ttc|otf|pcf|pfb|pfa)(\.gz)?$/ || path ~ /\/fonts\//) kind = "fonts"
      else if (path ~ /fontconfig/) kind = "fontconfig cache"
      else if (path ~ /\.so[.0-9]*$/) kind = "shared libraries"
      else if (path ~ /^\/(SYSV|dev\/shm|memfd:)/ || path ~ /^\/memfd/) kind = "shared memory (X server images)"
      else if (path == runner) kind = "the runner binary"
      else kind = "other files"
      next
    }
    /^Rss:/ { rss[kind] += $2 }
    END { for (k in rss) if (rss[k] > 0) printf "    %7d kB  %s\n", rss[k], k }
  ' runner="$(readlink -f "$runner")" "/proc/$1/smaps" | sort -rn
}

# The heaviest shared libraries by resident size.
heaviest_libraries() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / { path = (NF >= 6) ? $6 : ""; next }
    /^Rss:/ && path ~ /\.so[.0-9]*$/ { rss[path] += $2 }
    END { for (p in rss) printf "    %7d kB  %s\n", rss[p], p }
  ' "/proc/$1/smaps" | sort -rn | head -6
}

# Runs the runner under /usr/bin/time -v for $seconds, looks at its mappings half-way, and
# prints the peak; returns the peak in kB through the global `peak_kb`.
memory_run() {
  local name=$1
  shift
  /usr/bin/time -v -o "$work/$name.time" "$runner" "$@" --run-for=$((seconds * 1000)) \
    2>"$work/$name.err" &
  local time_pid=$!
  sleep $((seconds / 2))
  local pid
  pid=$(pgrep -P "$time_pid" | head -1)
  if [[ -n "$pid" && -r "/proc/$pid/smaps" ]]; then
    echo "  resident memory $((seconds / 2)) s into the run, by kind:"
    memory_breakdown "$pid"
    echo "  heaviest shared libraries:"
    heaviest_libraries "$pid"
  else
    echo "  (the run ended before it could be looked at)"
  fi
  if ! wait "$time_pid"; then
    echo "  the runner failed:" >&2
    cat "$work/$name.err" "$work/$name.time" >&2
    peak_kb=0
    failed=1
    return 1
  fi
  peak_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/$name.time")
}

check_peak() {
  local what=$1 limit_mb=$2
  local verdict="ok"
  ((peak_kb > 0 && peak_kb < limit_mb * 1024)) || {
    verdict="FAILED"
    failed=1
  }
  printf '  peak resident memory of the %s: %d kB (%.1f MB; target under %d MB): %s\n' \
    "$what" "$peak_kb" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')" "$limit_mb" "$verdict"
}

echo "Memory of a ${seconds}-second headless run:"
memory_run headless --headless && check_peak "headless run" 64
echo

echo "Memory of a ${seconds}-second SDL run in a window under Xvfb $display (640x480x16):"
if ! command -v Xvfb >/dev/null; then
  echo "  not measured: Xvfb is missing (apt-get install xvfb)"
  failed=1
elif [[ -e "/tmp/.X11-unix/X${display#:}" ]]; then
  echo "  not measured: display $display is taken (set MEASURE_DISPLAY to a free one)"
  failed=1
else
  Xvfb "$display" -screen 0 640x480x16 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X${display#:}" ]] && break
    sleep 0.1
  done
  export DISPLAY=$display
  memory_run sdl --window && check_peak "SDL run" 128
  unset DISPLAY
fi
echo
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

((failed == 0)) && echo "Every figure met its target." || echo "Some figure missed its target."
exit "$failed"
