#!/usr/bin/env bash
# Installs what the tests need, builds every build tree with warnings as
# errors, and runs every test: the native tests directly, the fuzzer, the
# packages' checks, and the Windows suite of both builds, each under its own
# Wine in a session of its own (ctest's fixture starts and stops it): the
# x86_64 build under 64-bit Wine, the i686 build, the shipped one, under
# 32-bit Wine.
#
# Where this machine cannot run 32-bit programs, the i686 suite is reported
# as NOT RUN, with the reason, and never counted as passed; its build and its
# file checks (no Wine) still run, and the exit status is that of the rest.
# Ends with a summary; exits non-zero when anything that ran failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/wine-env.sh
started=$SECONDS

scripts/deps.sh
scripts/build.sh native win64 win32

# suite TREE NAME [CTEST ARGS...]: runs the tree's tests; adds a line to the
# summary and its counts to the totals, and sets failed when a test failed.
summary=()
failed=0 passed_tests=0 failed_tests=0
suite() {
  local tree=$1 name=$2 log=build/$1/suite.log status counts nfailed ntotal
  shift 2
  local start=$SECONDS
  echo "== $name"
  set +e
  ctest --preset "$tree" "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  # "N tests failed out of M"
  counts=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
  if [ -n "$counts" ]; then
    read -r nfailed _ _ _ _ ntotal <<<"$counts"
    failed_tests=$((failed_tests + nfailed))
    passed_tests=$((passed_tests + ntotal - nfailed))
  fi
  if [ "$status" -eq 0 ]; then
    summary+=("$name: passed (${counts:-no count}), $((SECONDS - start)) s")
  else
    summary+=("$name: FAILED (${counts:-ctest ended with $status}), $((SECONDS - start)) s")
    failed=1
  fi
}

suite native "native tests"

echo "== fuzzing the settings-file text (30 s)"
scripts/fuzz.sh 30 >/dev/null 2>build/fuzz-run.log || { tail -40 build/fuzz-run.log; exit 1; }
grep -E '^Done [0-9]+ runs' build/fuzz-run.log

echo "== packages (CPack zips of both Windows builds)"
scripts/package.sh

suite win64 "x86_64 suite (64-bit Wine)"
reason=$(wine32_unavailable)
if [ -z "$reason" ]; then
  suite win32 "i686 suite (32-bit Wine)"
else
  echo "== i686 suite not run: $reason"
  suite win32 "i686 file checks (no Wine)" -LE wine
  summary+=("i686 suite (32-bit Wine): NOT RUN: $reason")
fi

echo "== summary"
echo "fuzzing, packages: passed"
printf '%s\n' "${summary[@]}"
[ -z "$reason" ] || echo "i686 suite not run: $reason"
echo "whole test command: $((SECONDS - started)) s"
# The tests that ran, all suites together (a suite not run counts none).
echo "tests: $passed_tests passed, $failed_tests failed"
exit $failed
