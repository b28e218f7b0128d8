#!/usr/bin/env bash
# Builds the two Windows trees and makes the zips a Windows user installs
# from, with CPack, each in its tree: build/win32/packages/Tav-<version>-win32.zip
# (the shipped 32-bit build) and build/win64/packages/Tav-<version>-x64.zip,
# then checks what they hold.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh win32 win64 >/dev/null
for tree in win32 win64; do
  rm -f "build/$tree"/packages/Tav-*.zip
  (cd "build/$tree" && cpack --config CPackConfig.cmake >/dev/null)
done
python3 scripts/check-packages.py build/win32/packages build/win64/packages
