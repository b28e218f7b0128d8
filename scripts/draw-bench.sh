#!/usr/bin/env bash
# Builds the x86_64 tree and runs the drawing benchmark (bench/draw_bench.cpp)
# under Wine, inside a Wine virtual desktop on a virtual X display, the way
# the resident program runs; prints its figures.
#
#   scripts/draw-bench.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build.sh win64 >/dev/null

export TAV_WINEPREFIX=$root/build/win64/wineprefix
out=$(mktemp)
trap 'rm -f "$out"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-session.sh \
  env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 \
  explorer /desktop=TavBench,1024x768 "$root/build/win64/bin/draw_bench.exe" "${1:-300}" \
  "$(WINEPREFIX=$TAV_WINEPREFIX /usr/lib/wine/wine64 winepath -w "$out" 2>/dev/null)"
cat "$out"
