#!/usr/bin/env bash
# Runs a Windows test program under 64-bit Wine, the way ctest and the
# scripts expect: a Wine prefix inside the build tree (never ~/.wine),
# code page 932 for the ANSI functions, and Wine's own debug output off.
#
# The prefix is TAV_WINEPREFIX when set, else <build>/wineprefix beside the
# bin/ folder that holds the program.
set -eu
prog=$1
if [ -z "${TAV_WINEPREFIX:-}" ]; then
  TAV_WINEPREFIX=$(cd "$(dirname "$prog")/.." && pwd)/wineprefix
fi
export WINEPREFIX=$TAV_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 "$@"
