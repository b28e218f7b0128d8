#!/usr/bin/env bash
# Builds a Windows tree and runs a benchmark of bench/ under that build's
# Wine, in the tree's Wine session (scripts/wine-session.sh: its own X
# display and prefix), and prints the figures that the README quotes.  Not
# part of the tests.
#   scripts/bench.sh [TREE] [settings|hook]
#     TREE      win32 (the shipped i686 build) or win64 (x86_64); without
#               it, the i686 build and then the x86_64 build, each headed
#               with its name.  Where this machine cannot run 32-bit
#               programs, the i686 build is reported as not measured.
#     (none)    the launcher: latencies, memory, objects, and the resident
#               set of the Wine process (ps rss) at each of the benchmark's
#               memory readings
#     settings  export and import of the settings file
#     hook      key delivery past the hook library
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/wine-env.sh

trees=()
case ${1:-} in
  win32|win64) trees=("$1"); shift ;;
esac
what=${1:-launcher}
case $what in
  launcher) program=launcher_bench ;;
  settings) program=settings_file_bench ;;
  hook) program=hook_bench ;;
  *) echo "usage: bench.sh [win32|win64] [settings|hook]" >&2; exit 2 ;;
esac
[ ${#trees[@]} -gt 0 ] || trees=(win32 win64)

scripts/deps.sh || exit 1

# launcher TREE: the launcher benchmark, with the resident set of its Wine
# process read while it holds still (1.5 s after each memory line it prints).
launcher() {
  local out runner status lines seen=0 kb rss=() labels i
  out=$(mktemp)
  scripts/wine-session.sh run "build/$1" cmake/wine-run.sh "build/$1/bin/launcher_bench.exe" \
    >"$out" 2>&1 &
  runner=$!
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
  rm -f "$out"
  labels=("after start" "before the cycles" "after the cycles")
  for i in "${!rss[@]}"; do
    awk -v label="${labels[$i]}:" -v kb="${rss[$i]}" \
      'BEGIN { printf "ps rss of the Wine process, %-18s %6.1f MB\n", label, kb / 1024 }'
  done
  return "$status"
}

status=0
for tree in "${trees[@]}"; do
  if [ "$tree" = win32 ]; then
    name="i686 build (the shipped one), 32-bit Wine"
    reason=$(wine32_unavailable)
    if [ -n "$reason" ]; then
      echo "== $name: not measured: $reason"
      [ ${#trees[@]} -gt 1 ] || status=1
      continue
    fi
  else
    name="x86_64 build, 64-bit Wine"
  fi
  scripts/build.sh "$tree" >/dev/null || exit 1
  echo "== $name"
  if [ "$what" = launcher ]; then
    launcher "$tree" || status=1
  else
    scripts/wine-session.sh run "build/$tree" cmake/wine-run.sh "build/$tree/bin/$program.exe" ||
      status=1
  fi
done
exit $status
