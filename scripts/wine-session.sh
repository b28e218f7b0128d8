#!/usr/bin/env bash
# Runs a command with a ready Wine prefix: starts a persistent wineserver for
# the prefix, boots the prefix (its output sent away, or Wine's background
# services would keep the caller's pipes open), runs the command, and stops
# the server again.  The prefix is TAV_WINEPREFIX.
#
#   TAV_WINEPREFIX=build/win64/wineprefix scripts/wine-session.sh ctest ...
set -uo pipefail
: "${TAV_WINEPREFIX:?TAV_WINEPREFIX must name the Wine prefix}"
export WINEPREFIX=$TAV_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
mkdir -p "$WINEPREFIX"

/usr/lib/wine/wineserver -p
env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
# Windows not managed by a window manager: on a bare X display there is none,
# and Wine would wait 2 s for one at every hiding of a visible window.
env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' \
  /v Managed /d N /f </dev/null >/dev/null 2>&1
"$@"
status=$?
/usr/lib/wine/wineserver -k
/usr/lib/wine/wineserver -w
exit $status
