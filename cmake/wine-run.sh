#!/usr/bin/env bash
# Runs a Windows test program under 64-bit Wine, the way ctest and the
# scripts expect: a Wine prefix inside the build tree (never ~/.wine), with
# Wine's environment from scripts/wine-env.sh.
#
# The prefix is TAV_WINEPREFIX when set, else <build>/wineprefix beside the
# bin/ folder that holds the program.
set -eu
prog=$1
if [ -z "${TAV_WINEPREFIX:-}" ]; then
  TAV_WINEPREFIX=$(cd "$(dirname "$prog")/.." && pwd)/wineprefix
fi
export WINEPREFIX=$TAV_WINEPREFIX
. "$(dirname "$0")/../scripts/wine-env.sh"
wine64 "$@"
