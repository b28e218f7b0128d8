#!/usr/bin/env bash
# Installs what Tav needs, builds the x86_64 Tav.exe and starts it under
# 64-bit Wine (which runs on every machine, where the shipped i686 build
# needs a kernel that runs 32-bit programs) in a virtual desktop window
# ("Tav - Wine desktop", 1024x768) on your display.  With no display (no
# DISPLAY set) it starts the same on a virtual X display (Xvfb) instead and
# says so.
#
# Tav keeps its settings in the registry of its own Wine prefix,
# TAV_RUN_PREFIX (default ~/.local/share/tav/wineprefix), which survives
# rebuilds and "rm -rf build".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/deps.sh
scripts/build.sh win64 >/dev/null

export WINEPREFIX=${TAV_RUN_PREFIX:-$HOME/.local/share/tav/wineprefix}
. scripts/wine-env.sh
mkdir -p "$WINEPREFIX"
# The first start creates the prefix; keep Wine's chatter about it away.
[ -f "$WINEPREFIX/system.reg" ] || wine_boot
start=("${wine_command[@]}" explorer /desktop=Tav,1024x768 "$root/build/win64/bin/Tav.exe")

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Tav in a Wine virtual desktop on $DISPLAY (prefix $WINEPREFIX)."
  "${start[@]}"
else
  echo "No display: starting Tav on a virtual X display (Xvfb) instead (prefix $WINEPREFIX)."
  echo "It runs until it exits; stop it with Ctrl+C."
  xvfb-run -a -s "-screen 0 1024x768x24" "${start[@]}"
fi
echo "Tav has ended."
