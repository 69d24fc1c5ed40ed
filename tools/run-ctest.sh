#!/usr/bin/env bash
# Runs ctest as ./test and CI run it, with its arguments (--preset default, --test-dir DIR):
# prints its failures and summary, and fails when a test failed or did not run. A test whose
# dependency is missing (Xvfb, xdotool, a font, a locale) fails here rather than skips
# (NUVIK_REQUIRE_DEPENDENCIES=1), and any test that still reports itself skipped or not run
# fails the run: a green run has run every test. Goldens are compared, never rewritten.
# Usage: tools/run-ctest.sh CTEST_ARGUMENTS...
set -euo pipefail

export NUVIK_REQUIRE_DEPENDENCIES=1
unset NUVIK_UPDATE_GOLDENS

log=$(mktemp)
set +e
ctest "$@" >"$log" 2>&1
status=$?
set -e
grep -E 'tests passed|tests failed|Failed|\*\*\*|Total Test time|Errors while running' "$log" || true
if [[ $status -ne 0 ]]; then
  echo "ctest $* failed; full log: $log" >&2
  tail -n 60 "$log" >&2
  exit $status
fi
# ctest counts a skipped test as passed and lists it under "did not run".
if grep -q '^The following tests did not run:' "$log"; then
  sed -n '/^The following tests did not run:/,/^$/p' "$log" >&2
  echo "ctest $* skipped the tests above; every test must run here (full log: $log)" >&2
  exit 1
fi
if ! grep -qE '^100% tests passed, 0 tests failed out of [1-9]' "$log"; then
  echo "ctest $* ran no tests (full log: $log)" >&2
  exit 1
fi
rm -f "$log"
