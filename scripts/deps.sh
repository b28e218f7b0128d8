#!/usr/bin/env bash
# Installs, from Debian's packages, everything Tav needs to be built, run and
# tested on Debian 12.  Does nothing when all of it is there already.  Needs
# root, or a user who may use sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64     # the cross compilers (and windres)
  wine wine64                                  # runs the x86_64 build
  libasound2                                   # ALSA, for the launcher tests' null audio device
  xvfb xauth xdotool x11-utils imagemagick     # display (xvfb-run needs xauth), real keys, screenshots
  xserver-xephyr                               # a desktop of two monitors for Wine
  fonts-ipafont-mincho                         # a Japanese font with Latin letters for Wine:
                                               # the default face falls back to it
  googletest                                   # /usr/src/googletest
  clang libclang-rt-14-dev                     # libFuzzer and sanitizer runtimes
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
