#!/usr/bin/env bash
# The life of a Windows build tree's Wine session, written once: ctest's
# fixture "wine_session" runs "start" before the first test that needs Wine
# and "stop" after the last (tests/win/CMakeLists.txt), so a plain
# "ctest --test-dir build/win64" needs nothing around it; the benchmarks run
# inside "run".
#
#   wine-session.sh start BUILD   an X display of its own (Xvfb, 1024x768,
#                                 24 bits), a persistent wineserver for the
#                                 tree's shared prefix BUILD/wineprefix (made
#                                 for the tree's loader, 32 or 64 bits), the
#                                 prefix booted, its windows unmanaged
#   wine-session.sh stop BUILD    ends the server of every prefix in the tree
#                                 (the end-to-end and own-prefix ones too, for
#                                 a test that was killed), then the display
#   wine-session.sh run BUILD COMMAND...
#                                 start, the command, stop; exits with the
#                                 command's status
#
# The display's number is kept in BUILD/wine-session/display, where the test
# scripts and cmake/wine-run.sh find it (wine_build in wine-env.sh).  A start
# first stops what an interrupted session left.
set -uo pipefail
what=${1:-}
build=$(cd "${2:?usage: wine-session.sh start|stop|run BUILD [COMMAND...]}" && pwd) || exit 2
shift 2
session=$build/wine-session
. "$(dirname "$0")/wine-env.sh"
wine_build "$build" || exit 2

stop() {
  local prefix pid
  for prefix in "$build"/wineprefix "$build"/*/wineprefix; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix wine_stop
  done
  pid=$(cat "$session/xvfb.pid" 2>/dev/null)
  # Only the Xvfb that this tree's session started.
  if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$session"
}

start() {
  local reason
  if [ "$wine_bits" = 32 ]; then
    reason=$(wine32_unavailable)
    if [ -n "$reason" ]; then
      echo "i686 suite not run: $reason"
      return 1
    fi
  fi
  stop
  mkdir -p "$session"
  # Xvfb writes the number of the display it found free once it takes
  # connections.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
    3>"$session/display" </dev/null >/dev/null 2>&1 &
  echo $! >"$session/xvfb.pid"
  for _ in $(seq 100); do [ -s "$session/display" ] && break; sleep 0.1; done
  if [ ! -s "$session/display" ]; then
    echo "Xvfb did not start"
    stop
    return 1
  fi
  wine_build "$build"
  export WINEPREFIX=$build/wineprefix
  wine_start
  # Windows not managed by a window manager: on a bare X display there is
  # none, and Wine would wait 2 s for one at every hiding of a visible window.
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d N /f </dev/null >/dev/null 2>&1
  echo "Wine session of $build: display $DISPLAY, $wine_bits-bit prefix $WINEPREFIX"
}

case $what in
  start) start ;;
  stop) stop ;;
  run)
    start || exit 1
    "$@"
    status=$?
    stop
    exit $status ;;
  *) echo "usage: wine-session.sh start|stop|run BUILD [COMMAND...]" >&2; exit 2 ;;
esac
