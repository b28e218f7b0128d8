#!/usr/bin/env bash
# Installs what the tests need, builds every build tree with warnings as
# errors, and runs every test: the native tests directly, the Windows tests
# under Wine on a virtual X display.  Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/deps.sh
scripts/build.sh native win64 win32

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2

echo "== fuzzing the settings-file text (30 s)"
scripts/fuzz.sh 30 >/dev/null 2>build/fuzz-run.log || { tail -40 build/fuzz-run.log; exit 1; }
grep -E '^Done [0-9]+ runs' build/fuzz-run.log

echo "== i686 build checks (not run: 32-bit code cannot execute here)"
ctest --test-dir build/win32 --output-on-failure

echo "== packages (CPack zips of both Windows builds)"
scripts/package.sh

echo "== Windows tests (x86_64, under Wine)"
export TAV_WINEPREFIX=$root/build/win64/wineprefix
xvfb-run -a -s "-screen 0 1024x768x24" \
  scripts/wine-session.sh ctest --test-dir build/win64 --output-on-failure -j2
