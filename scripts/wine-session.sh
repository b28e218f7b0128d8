#!/usr/bin/env bash
# Runs a command with a ready Wine prefix: starts a persistent wineserver for
# the prefix, boots the prefix (its output sent away, or Wine's background
# services would keep the caller's pipes open), runs the command, and stops
# the server again.  The prefix is TAV_WINEPREFIX.
#
#   TAV_WINEPREFIX=build/win64/wineprefix scripts/wine-session.sh ctest ...
set -uo pipefail
: "${TAV_WINEPREFIX:?TAV_WINEPREFIX must name the Wine prefix}"
export WINEPREFIX=$TAV_WINEPREFIX
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$WINEPREFIX"

"$wineserver" -p
wine_boot
# Windows not managed by a window manager: on a bare X display there is none,
# and Wine would wait 2 s for one at every hiding of a visible window.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' \
  /v Managed /d N /f </dev/null >/dev/null 2>&1
"$@"
status=$?
"$wineserver" -k
"$wineserver" -w
exit $status
