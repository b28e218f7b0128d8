#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build/fuzz (the preset "fuzz") and runs the
# settings-file fuzzer for the given number of seconds (default 30), starting
# from the corpus kept in fuzz/corpus/ini.  New inputs go to a scratch folder, so the kept
# corpus does not change; give FUZZ_WORK=<folder> to keep them, then fold
# them into the kept corpus with
#   build/fuzz/bin/ini_fuzzer -merge=1 fuzz/corpus/ini <folder>
# Any extra arguments go to libFuzzer.  Exits non-zero on a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
shift || true

scripts/build.sh fuzz
dir=build/fuzz

work=${FUZZ_WORK:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
# Findings (crash-*, leak-*) land in the work folder.
"$dir/bin/ini_fuzzer" -max_total_time="$seconds" -dict=fuzz/ini.dict \
  -artifact_prefix="$work/" -print_final_stats=1 "$@" "$work" fuzz/corpus/ini
