#!/usr/bin/env bash
# Measures the runner as a user runs it, on the real clock, and prints one table.
#
# Each row is one 10-second run: headless, or the SDL host in a window on a private Xvfb at
# 640x480x16; at target rates 10, 35 (the slider's start value) and 60, reached through a
# script that clicks the slider's thumb at (95, 450) and presses Home or End; with the
# runner's default loop (which rests until the next millisecond once the program has seen the
# current one) and with --busy-loop (the original never-waiting loop).
#
# Columns:
#  - cpu: processor time over wall time, in per cent of one core: perf's task-clock (the time
#    the process was really on a processor) where perf works; else (and in the "rusage" column)
#    user + system time from /usr/bin/time. Kernels with tick-based accounting (HZ=250 here)
#    charge a whole tick to whoever runs when it fires, which overstates a process that wakes
#    a thousand times a second; task-clock does not.
#  - peak: peak resident memory (/usr/bin/time's maximum resident set size).
#  - shown: every value the "N Frame / Sec" line showed after the first window (which mixes
#    two rates when the script changed the target in it). A frame is drawn once 1000 / target
#    milliseconds, truncated, have passed since the last (100, 28, 16 ms), and the counter
#    closes its window at the first frame more than 1000 ms after it opened, counting that
#    frame too: a window holds 11, 36 or 63 frames, and each shown value must lie within one.
#  - real/s: frames presented per real second (at --speed=2 twice the shown rate).
#  - "gif" after the speed: the run recorded itself with --record (its rates must not drop).
#  - interval p50/p99/max: ticks between presented frames from the report; the 99th
#    percentile must lie within 1 ms of the interval the virtual clock gives.
# Targets: cpu <= 2 % headless and <= 5 % in the SDL window (resting loop only); peak memory
# <= 16 MB headless and <= 40 MB in the SDL window; shown values and p99 as above.
# Last, start-up: a headless virtual-clock run to its first presented frame and out again,
# timed over five runs (target: under 100 ms).
#
# Usage: bench/measure_runs.sh [RUNNER]   (default: build/default/app/nuvik)
# Environment: MEASURE_DISPLAY, the display number for Xvfb (default :93); MEASURE_SECONDS,
# the length of each run (default 10); MEASURE_NICE, a niceness for the runs.
# Exits 0 when every figure met its target, 1 when one did not, 2 when it could not measure.
# The machine should be otherwise idle: on a loaded machine the real clock shows the load.
set -uo pipefail

cd "$(dirname "$0")/.." || exit 2
runner=${1:-build/default/app/nuvik}
display=${MEASURE_DISPLAY:-:93}
seconds=${MEASURE_SECONDS:-10}
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

start_xvfb() {
  command -v Xvfb >/dev/null || return 1
  [[ -e "/tmp/.X11-unix/X${display#:}" ]] && return 1
  Xvfb "$display" -screen 0 640x480x16 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X${display#:}" ]] && return 0
    sleep 0.1
  done
  return 1
}

# One run; prints its table row and sets `failed` when a figure misses its target.
measure() {
  local host=$1 loop=$2 target=$3 speed=${4:-1} record=${5:-}
  local expected interval key
  case $target in
    10) expected=11 interval=100 key=home ;;
    35) expected=36 interval=28 key="" ;;
    60) expected=63 interval=16 key=end ;;
  esac
  local name="$host-$loop-$target-$speed${record:+-rec}"
  local script="$work/$name.txt" report="$work/$name.json" timing="$work/$name.time"
  : >"$script"
  [[ -n "$key" ]] && printf '100 click 95 450\n200 key %s down\n210 key %s up\n' "$key" "$key" >"$script"
  local -a args=(--run-for=$((seconds * 1000)) --script="$script" --report="$report")
  [[ $host == headless ]] && args+=(--headless) || args+=(--window)
  [[ $loop == busy ]] && args+=(--busy-loop)
  [[ $speed != 1 ]] && args+=(--speed="$speed")
  [[ -n $record ]] && args+=(--record="$work/$name.gif")
  local -a perf_prefix=()
  ((have_perf)) && perf_prefix=(perf stat -x, -e task-clock -o "$work/$name.perf" --)
  if ! nice -n "${MEASURE_NICE:-0}" "${perf_prefix[@]}" /usr/bin/time -f '%U %S %e %M' \
    -o "$timing" "$runner" "${args[@]}" 2>"$work/$name.err"; then
    printf '%-8s %-5s %3d  the runner failed: %s\n' "$host" "$loop" "$target" \
      "$(head -c 200 "$work/$name.err")"
    failed=1
    return
  fi
  local user sys wall peak_kb
  read -r user sys wall peak_kb <"$timing"
  local cpu rusage peak_mb
  rusage=$(awk -v u="$user" -v s="$sys" -v w="$wall" 'BEGIN { printf "%.1f", 100 * (u + s) / w }')
  cpu=$rusage
  if ((have_perf)); then
    cpu=$(awk -F, -v w="$wall" '$3 == "task-clock" { printf "%.1f", $1 / 10 / w }' "$work/$name.perf")
  fi
  peak_mb=$(awk -v k="$peak_kb" 'BEGIN { printf "%.1f", k / 1024 }')

  local -a counts
  mapfile -t counts < <(jq '.shown_fps | map(select(. != 0)) | .[]' "$report")
  local first=0
  [[ -n "$key" && ${#counts[@]} -gt 1 ]] && first=1
  local shown="${counts[*]:first}"
  local per_second
  per_second=$(awk -v f="$(jq '.frames_presented' "$report")" -v s="$seconds" 'BEGIN { printf "%.1f", f / s }')
  local p50 p99 max
  read -r p50 p99 max < <(jq -r '.frame_interval_ms | "\(.p50) \(.p99) \(.max)"' "$report")

  local -a misses=()
  local cpu_limit=2 memory_limit=16
  [[ $host == sdl ]] && cpu_limit=5 memory_limit=40
  if [[ $loop == rest && $speed == 1 && -z $record ]] && awk -v c="$cpu" -v l="$cpu_limit" 'BEGIN { exit !(c > l) }'; then
    misses+=("cpu over $cpu_limit %")
  fi
  # A recording holds frames for its encoder thread: its memory is not the runner's own.
  if [[ -z $record ]] && awk -v m="$peak_mb" -v l="$memory_limit" 'BEGIN { exit !(m > l) }'; then
    misses+=("memory over $memory_limit MB")
  fi
  [[ $(jq '.target_fps' "$report") == "$target" ]] || misses+=("target not reached")
  ((${#counts[@]} > first)) || misses+=("no rate shown")
  local count
  for count in "${counts[@]:first}"; do
    if ((count < expected - 1 || count > expected + 1)); then
      misses+=("$count not within one of $expected")
      break
    fi
  done
  ((p99 >= interval - 1 && p99 <= interval + 1)) || misses+=("p99 $p99 ms not within 1 of $interval")
  local verdict=ok
  if ((${#misses[@]} > 0)); then
    verdict="MISSED: $(IFS=';'; echo "${misses[*]}")"
    failed=1
  fi
  printf '%-8s %-5s %3d %6s %6s %6s %7s  %-24s %6s %4d %4d %5d  %s\n' "$host" "$loop" "$target" \
    "x$speed${record:+ gif}" "$cpu" "$rusage" "$peak_mb" "$shown" "$per_second" "$p50" "$p99" "$max" "$verdict"
}

echo "Runner: $runner; ${seconds}-second runs on the real clock (niceness ${MEASURE_NICE:-0})"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
echo
have_perf=0
perf stat -x, -e task-clock -o /dev/null -- true 2>/dev/null && have_perf=1
((have_perf)) || echo "perf is missing or refused: cpu is rusage (apt-get install linux-perf)"
printf '%-8s %-5s %3s %6s %6s %6s %7s  %-24s %6s %4s %4s %5s  %s\n' host loop fps speed "cpu%" \
  rusage "peak MB" "shown (after 1st window)" "real/s" p50 p99 max verdict
for loop in rest busy; do
  for target in 10 35 60; do
    measure headless "$loop" "$target"
  done
done
# At twice the pace the program still counts 36 a second of its own time, while twice as many
# frames reach the screen each real second (its intervals are in its own ticks too).
measure headless rest 35 2
# Recording every change of the screen must not cost the program frames.
measure headless rest 60 1 record
if start_xvfb; then
  export DISPLAY=$display
  for loop in rest busy; do
    for target in 10 35 60; do
      measure sdl "$loop" "$target"
    done
  done
  unset DISPLAY
else
  echo "sdl: not measured (Xvfb is missing or display $display is taken; set MEASURE_DISPLAY)"
  failed=1
fi
echo

# Start-up: process start to the first presented frame and out again. On the virtual clock the
# first frame falls due 28 ticks after set-up, a few microseconds of empty passes.
startup_total=0
for _ in 1 2 3 4 5; do
  begin=$(date +%s%N)
  "$runner" --headless --virtual-clock --run-for=40 --report="$work/startup.json" 2>/dev/null
  end=$(date +%s%N)
  ((startup_total += (end - begin) / 1000))
done
startup_ms=$(awk -v t="$startup_total" 'BEGIN { printf "%.1f", t / 5 / 1000 }')
frames=$(jq '.frames_presented' "$work/startup.json")
verdict=ok
if ((frames < 1)) || awk -v s="$startup_ms" 'BEGIN { exit !(s >= 100) }'; then
  verdict=MISSED
  failed=1
fi
echo "Start-up to the first presented frame and exit, headless: $startup_ms ms (mean of 5; $frames frame(s)): $verdict"
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

((failed == 0)) && echo "Every figure met its target." || echo "Some figure missed its target."
exit "$failed"
