#!/usr/bin/env bash
# Configures and builds build trees below build/, each from its preset in
# CMakePresets.json:
#   build/native  platform-free layer and its tests (host g++, sanitizers)
#   build/win64   x86_64 Tav.exe, Tav.dll and the Windows tests (64-bit Wine)
#   build/win32   i686 Tav.exe and Tav.dll, the shipped build, and the
#                 Windows tests (32-bit Wine)
#   build/fuzz    the fuzz targets (clang, libFuzzer; scripts/fuzz.sh)
# Warnings are errors.  Without arguments it builds native, win64 and win32;
# pass tree names to build only some: build.sh win64
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native win64 win32)

for tree in "${trees[@]}"; do
  case $tree in
    native|win64|win32|fuzz) ;;
    *) echo "unknown build tree: $tree" >&2; exit 2 ;;
  esac
  # A tree configured from another source folder (build/fuzz once came from
  # fuzz/ alone) cannot be configured again: start it anew.
  cache=build/$tree/CMakeCache.txt
  if [ -f "$cache" ] && ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$cache"; then
    rm -rf "build/$tree"
  fi
  # Configured each time, so that a tree made before a preset changed
  # takes the preset's settings.
  cmake --preset "$tree" >/dev/null
  cmake --build --preset "$tree"
done
