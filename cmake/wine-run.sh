#!/usr/bin/env bash
# Runs a Windows program of a build tree under Wine, the way ctest and the
# scripts expect (CMAKE_CROSSCOMPILING_EMULATOR of both Windows trees): the
# tree's loader (32 or 64 bits), a Wine prefix inside the build tree (never
# ~/.wine), the display of the tree's session, and Wine's environment from
# scripts/wine-env.sh.  The prefix is <build>/wineprefix, beside the bin/
# folder that holds the program.
set -eu
prog=$1
build=$(cd "$(dirname "$prog")/.." && pwd)
. "$(dirname "$0")/../scripts/wine-env.sh"
wine_build "$build"
export WINEPREFIX=$build/wineprefix
wine_run "$@"
