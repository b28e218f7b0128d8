#!/usr/bin/env bash
# Configures and builds the three build trees below build/:
#   build/native  platform-free layer and its tests (host g++, sanitizers)
#   build/win64   x86_64 Tav.exe, Tav.dll and the Windows tests (run under Wine)
#   build/win32   i686 Tav.exe and Tav.dll, the shipped build
# Warnings are errors.  Pass tree names to build only some: build.sh win64
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native win64 win32)

for tree in "${trees[@]}"; do
  args=(-G Ninja -DTAV_WERROR=ON)
  case $tree in
    native) ;;
    win64)  args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake") ;;
    win32)  args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" -DTAV_TESTS=OFF) ;;
    *) echo "unknown build tree: $tree" >&2; exit 2 ;;
  esac
  dir=$root/build/$tree
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null
  cmake --build "$dir"
done
