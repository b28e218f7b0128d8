#!/usr/bin/env bash
# Builds the two Windows trees and makes the zips a Windows user installs
# from, with CPack: build/packages/Tav-<version>-win32.zip (the shipped
# 32-bit build) and Tav-<version>-x64.zip, then checks what they hold.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh win32 win64 >/dev/null
rm -f build/packages/Tav-*.zip
for tree in win32 win64; do
  (cd "build/$tree" && cpack --config CPackConfig.cmake >/dev/null)
done
python3 scripts/check-packages.py build/packages
