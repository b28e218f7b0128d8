#!/usr/bin/env bash
# Runs a Windows test program under Wine at another DPI:
#   run-at-dpi.sh DPI PROGRAM [ARGS...]
# in a Wine prefix of its own, <build>/dpi-DPI/wineprefix (beside the
# program's bin/), whose HKCU "Control Panel\Desktop" value LogPixels holds
# the DPI.  Wine reads it when a process starts and gives it to every
# process of the prefix, so the shared prefix of the other tests cannot
# serve.  The program learns the DPI it must find from TAV_TEST_DPI.  The
# prefix's server runs for this program only; the display is the caller's.
set -u
dpi=$1
prog=$2
shift 2
build=$(cd "$(dirname "$prog")/.." && pwd)
export WINEPREFIX=$build/dpi-$dpi/wineprefix
. "$(dirname "$0")/../../scripts/wine-env.sh"
mkdir -p "$WINEPREFIX"

"$wineserver" -p
wine_boot
wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  </dev/null >/dev/null 2>&1
# As in the shared prefix: no window manager to wait for.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
TAV_TEST_DPI=$dpi wine64 "$prog" "$@"
status=$?
"$wineserver" -k
"$wineserver" -w
exit $status
