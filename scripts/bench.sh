#!/usr/bin/env bash
# Builds the x86_64 tree and runs a benchmark of bench/ under Wine on a
# virtual X display, in the build tree's Wine prefix, and prints the figures
# that the README quotes.  Not part of the tests.
#   scripts/bench.sh            the launcher: latencies, memory, objects, and
#                               the resident set of the Wine process (ps rss)
#                               at each of the benchmark's memory readings
#   scripts/bench.sh settings   export and import of the settings file
#   scripts/bench.sh hook       key delivery past the hook library
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/deps.sh
scripts/build.sh win64 >/dev/null
export TAV_WINEPREFIX=$root/build/win64/wineprefix
run=(xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-session.sh cmake/wine-run.sh)

if [ "${1:-}" = settings ]; then
  exec "${run[@]}" build/win64/bin/settings_file_bench.exe
fi
if [ "${1:-}" = hook ]; then
  exec "${run[@]}" build/win64/bin/hook_bench.exe
fi

out=$(mktemp)
trap 'rm -f "$out"' EXIT

"${run[@]}" build/win64/bin/launcher_bench.exe >"$out" 2>&1 &
runner=$!

# The benchmark holds still for 1.5 s after each memory line it prints.
rss=()
seen=0
while kill -0 "$runner" 2>/dev/null; do
  lines=$(grep -c ' private ' "$out" || true)
  if [ "$lines" -gt "$seen" ]; then
    seen=$lines
    kb=$(ps -eo rss=,comm= | awk '$2 ~ /^launcher_bench/ { print $1; exit }')
    rss+=("${kb:-0}")
  fi
  sleep 0.2
done
wait "$runner"
status=$?

cat "$out"
labels=("after start" "before the cycles" "after the cycles")
for i in "${!rss[@]}"; do
  awk -v label="${labels[$i]}:" -v kb="${rss[$i]}" \
    'BEGIN { printf "ps rss of the Wine process, %-18s %6.1f MB\n", label, kb / 1024 }'
done
exit "$status"
