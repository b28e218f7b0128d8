#!/usr/bin/env bash
# Builds the x86_64 tree and runs the settings-file benchmark
# (bench/settings_file_bench.cpp) under Wine, in the build tree's Wine
# prefix.  Prints the figures that the README quotes.  Not part of the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/build.sh win64 >/dev/null
export TAV_WINEPREFIX=$root/build/win64/wineprefix
xvfb-run -a -s "-screen 0 1024x768x24" \
  scripts/wine-session.sh cmake/wine-run.sh build/win64/bin/settings_file_bench.exe
