# Sourced by every script that runs Wine: one place for Wine's environment
# and for the life of a prefix's server.
#   wine_use 32|64     takes the 32-bit loader (the i686 build) or the 64-bit
#                      one (the x86_64 build, the default), and WINEARCH for
#                      a prefix made anew
#   wine_build BUILD   wine_use for a Windows build tree (its file wine-bits,
#                      written by CMake), and DISPLAY of the tree's test
#                      session (scripts/wine-session.sh) when one runs
#   wine_run ARGS...   runs the loader with code page 932 (ja_JP locale, set
#                      for Wine only: the shell itself has no such locale and
#                      would warn); "${wine_command[@]}" is the same command
#                      for timeout, xvfb-run and the like
#   $wineserver        the server of the prefix in WINEPREFIX (one server
#                      program serves both loaders)
#   wine_boot          boots WINEPREFIX with its output sent away (Wine's
#                      background services would otherwise hold the caller's
#                      pipes open)
#   wine_start         a persistent server for WINEPREFIX, the prefix booted
#   wine_stop          ends the prefix's programs and its server, and waits
#   wine32_unavailable prints why this machine cannot run the 32-bit loader,
#                      or nothing when it can
# Wine's own debug output is off, the Mono and Gecko installers are not
# offered, and a shortcut saved into a Start Menu folder (the Startup
# shortcut) does not become a menu entry of the host's desktop, unless the
# caller set WINEDEBUG or WINEDLLOVERRIDES already.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
wineserver=/usr/lib/wine/wineserver

wine_use() {
  case $1 in
    32) wine_loader=/usr/lib/wine/wine; export WINEARCH=win32 ;;
    64) wine_loader=/usr/lib/wine/wine64; export WINEARCH=win64 ;;
    *) echo "wine_use: 32 or 64, not '$1'" >&2; return 2 ;;
  esac
  wine_bits=$1
  wine_command=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$wine_loader")
}
wine_use 64

wine_build() {
  local bits
  bits=$(cat "$1/wine-bits" 2>/dev/null) || { echo "$1 is not a Windows build tree" >&2; return 2; }
  wine_use "$bits" || return
  if [ -s "$1/wine-session/display" ]; then
    export DISPLAY=:$(head -1 "$1/wine-session/display")
  fi
}

wine_run() { "${wine_command[@]}" "$@"; }
wine_boot() { wine_run wineboot </dev/null >/dev/null 2>&1; }

wine_start() {
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1
  wine_boot
}

wine_stop() {
  "$wineserver" -k </dev/null >/dev/null 2>&1
  "$wineserver" -w </dev/null >/dev/null 2>&1
}

# The loader itself is a real 32-bit program: a kernel without IA-32
# emulation refuses it with "Exec format error".
wine32_unavailable() {
  local loader=/usr/lib/wine/wine output
  if [ ! -x "$loader" ]; then
    echo "32-bit Wine is not installed (wine32:i386, scripts/deps.sh)"
  elif ! output=$("$loader" --version 2>&1 </dev/null); then
    case $output in
      *"Exec format error"*)
        echo "this machine's kernel does not run 32-bit programs (the 32-bit Wine loader: Exec format error)" ;;
      *) echo "the 32-bit Wine loader does not start: $(head -1 <<<"$output")" ;;
    esac
  fi
}
