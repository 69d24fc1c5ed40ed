#!/usr/bin/env bash
# Runs a program that goes wrong (or one that only looks as if it might) and checks what the
# runner says and does about it.
# Usage: check-misbehaving.sh CASE PROGRAM WORK_DIR
set -uo pipefail
case_name=$1
program=$2
work=$3/$case_name
rm -rf "$work" && mkdir -p "$work"
report=$work/report.json

fail() {
  echo "FAIL ($case_name): $*" >&2
  echo "--- standard error:" >&2
  cat "$work/stderr" >&2
  echo "--- report:" >&2
  cat "$report" >&2 2>/dev/null
  exit 1
}
expect_in() {  # FILE TEXT
  grep -qF -- "$2" "$1" || fail "$(basename "$1") lacks: $2"
}

case $case_name in
  reinit)
    # Re-initialising on every step must not stop the virtual clock: --run-for still ends it.
    timeout 20 "$program" --headless --virtual-clock --run-for=2000 "--report=$report" 2>"$work/stderr"
    status=$?
    [[ $status -eq 0 ]] || fail "exit status $status, expected 0 (124: it never ended)"
    expect_in "$report" '"frame_step": 1000'
    ;;
  crash)
    timeout 20 "$program" --headless --virtual-clock --run-for=2000 "--report=$report" \
      "--screenshot=$work/last.png" 2>"$work/stderr"
    status=$?
    [[ $status -eq 139 ]] || fail "exit status $status, expected 139 (SIGSEGV)"
    expect_in "$work/stderr" "the program crashed"
    expect_in "$work/stderr" "SIGSEGV, invalid memory access at address 0x0 (a null pointer)"
    expect_in "$work/stderr" "driver step 1001 (the frame function), tick 100, 101 frames presented"
    expect_in "$work/stderr" "AddToScore() at "
    expect_in "$work/stderr" "MisbehavingProgram.cpp:"
    expect_in "$report" '"exit_code": 139'
    expect_in "$report" '"crash": {"signal": "SIGSEGV"'
    expect_in "$report" 'AddToScore()'
    [[ -s $work/last.png ]] || fail "no screenshot of the last presented screen"
    ;;
  stranded-step)
    timeout 20 "$program" --headless --virtual-clock --run-for=200 "--report=$report" 2>"$work/stderr"
    status=$?
    [[ $status -eq 0 ]] || fail "exit status $status, expected 0"
    expect_in "$work/stderr" "the frame function returned 1; only 0 (go on) and 9999"
    expect_in "$report" "the frame function returned 1;"
    ;;
  stop-without-exit)
    timeout 20 "$program" --headless --virtual-clock --run-for=200 "--report=$report" 2>"$work/stderr"
    expect_in "$work/stderr" "returned 9999 without calling ExitScreen"
    expect_in "$report" "returned 9999 without calling ExitScreen"
    ;;
  interrupted)
    # SIGTERM closes the main window as a window manager would: report and screenshot stay.
    "$program" --headless "--report=$report" "--screenshot=$work/last.png" 2>"$work/stderr" &
    pid=$!
    for _ in $(seq 100); do
      [[ $(grep -c . "$work/stderr" 2>/dev/null) -ge 1 ]] && break
      sleep 0.05
    done
    sleep 0.3
    kill -TERM "$pid"
    wait "$pid"
    status=$?
    [[ $status -eq 143 ]] || fail "exit status $status, expected 143 (128 + SIGTERM)"
    expect_in "$work/stderr" "running headless with neither --script nor --run-for"
    expect_in "$work/stderr" "terminated; closing the main window"
    expect_in "$report" '"exit_code": 143'
    [[ -s $work/last.png ]] || fail "no screenshot"
    ;;
  namesake)
    timeout 20 "$program" --headless --virtual-clock --run-for=5000 "--report=$report" 2>"$work/stderr"
    status=$?
    [[ $status -eq 0 ]] || fail "exit status $status, expected 0"
    expect_in "$report" '"frames_presented": 50, "frame_step": 9999'
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "ok ($case_name)"
