# Sourced by every script that runs Wine: one place for Wine's environment.
#   wine64 ARGS...     runs the 64-bit loader with code page 932 (ja_JP locale,
#                      set for Wine only: the shell itself has no such locale
#                      and would warn); "${wine64_command[@]}" is the same
#                      command for timeout, xvfb-run and the like
#   $wineserver        the server of the prefix in WINEPREFIX
#   wine_boot          boots WINEPREFIX with its output sent away (Wine's
#                      background services would otherwise hold the caller's
#                      pipes open)
# Wine's own debug output is off, the Mono and Gecko installers are not
# offered, and a shortcut saved into a Start Menu folder (the Startup
# shortcut) does not become a menu entry of the host's desktop, unless the
# caller set WINEDEBUG or WINEDLLOVERRIDES already.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
wineserver=/usr/lib/wine/wineserver

wine64_command=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64)
wine64() { "${wine64_command[@]}" "$@"; }
wine_boot() { wine64 wineboot </dev/null >/dev/null 2>&1; }
