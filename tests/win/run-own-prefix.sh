#!/usr/bin/env bash
# Runs a Windows test program under Wine on a desktop the shared prefix of
# the other tests cannot give:
#   run-own-prefix.sh dpi-DPI PROGRAM [ARGS...]
#       at DPI: the prefix's HKCU "Control Panel\Desktop" value LogPixels
#       holds it, which Wine reads when a process starts, for every process
#       of the prefix.  The program finds the DPI in TAV_TEST_DPI.
#   run-own-prefix.sh two-monitors PROGRAM [ARGS...]
#       on two monitors: Xephyr, inside the caller's display, makes an X
#       display of two screens joined by Xinerama, 640x480 and 800x600 side
#       by side (RandR off, so that Wine takes its monitors from Xinerama),
#       and the second is Wine's primary monitor (X11 Driver
#       "PrimaryMonitor"): the first lies left of it, from (-640, 0) to
#       (0, 480), the primary from (0, 0) to (800, 600).  The program finds
#       TAV_TEST_MONITORS=2.
# Each desktop has a prefix of its own, <build>/KIND/wineprefix beside the
# program's bin/, with its own server for the time of the program, and the
# tree's loader; the display is the tree's Wine session's.
set -u
kind=$1
prog=$2
shift 2
build=$(cd "$(dirname "$prog")/.." && pwd)
dir=$build/$kind
. "$(dirname "$0")/../../scripts/wine-env.sh"
wine_build "$build" || exit 2
export WINEPREFIX=$dir/wineprefix
mkdir -p "$WINEPREFIX"

settings=()
xephyr=
case $kind in
  dpi-*)
    export TAV_TEST_DPI=${kind#dpi-}
    settings+=('HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$TAV_TEST_DPI") ;;
  two-monitors)
    rm -f "$dir/display"
    Xephyr -displayfd 5 -screen 640x480 -screen 800x600 +xinerama -extension RANDR \
      -ac -nolisten tcp 5>"$dir/display" >/dev/null 2>&1 &
    xephyr=$!
    trap 'kill "$xephyr" 2>/dev/null' EXIT
    for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
    [ -s "$dir/display" ] || { echo "Xephyr did not start" >&2; exit 1; }
    export DISPLAY=:$(head -1 "$dir/display")
    export TAV_TEST_MONITORS=2
    settings+=('HKCU\Software\Wine\X11 Driver' PrimaryMonitor REG_SZ 1) ;;
  *) echo "unknown desktop: $kind" >&2; exit 2 ;;
esac
# As in the shared prefix: no window manager to wait for.
settings+=('HKCU\Software\Wine\X11 Driver' Managed REG_SZ N)

wine_start
for ((i = 0; i < ${#settings[@]}; i += 4)); do
  wine_run reg add "${settings[i]}" /v "${settings[i+1]}" /t "${settings[i+2]}" \
    /d "${settings[i+3]}" /f </dev/null >/dev/null 2>&1
done
# The prefix's desktop process takes the monitors as it starts: start the
# prefix anew, with the settings in place.
wine_stop
wine_start
wine_run "$prog" "$@"
status=$?
wine_stop
if [ -n "$xephyr" ]; then
  kill "$xephyr"
  wait "$xephyr" 2>/dev/null
  trap - EXIT
fi
exit $status
