#!/usr/bin/env bash
# Installs, from Debian's packages, everything Tav needs to be built, run and
# tested on Debian 12.  Does nothing when all of it is there already.  Needs
# root, or a user who may use sudo.
#
# 32-bit Wine comes the standard Debian way: the i386 architecture is added
# to dpkg (multiarch) and wine32:i386 installed beside wine64, the same
# Wine 8.0, so one wineserver serves both loaders.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64     # the cross compilers (and windres)
  wine wine64                                  # runs the x86_64 build
  wine32:i386                                  # runs the i686 build, the shipped one
  libasound2                                   # ALSA, for the launcher tests' null audio device
  xvfb xauth xdotool x11-utils imagemagick     # display (xvfb-run needs xauth), real keys, screenshots
  xserver-xephyr                               # a desktop of two monitors for Wine
  fonts-ipafont-mincho                         # a Japanese font with Latin letters for Wine:
                                               # the default face falls back to it
  googletest                                   # /usr/src/googletest
  clang libclang-rt-14-dev                     # libFuzzer and sanitizer runtimes
)

# One query for all; a package named without its architecture is wanted
# for the machine's own (libasound2 may be installed for i386 as well).
native=$(dpkg --print-architecture)
installed=$'\n'$(dpkg-query -W -f='${binary:Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)$'\n'
missing=()
for p in "${packages[@]}"; do
  [[ $installed == *$'\n'"$p install ok installed"$'\n'* ||
     $installed == *$'\n'"$p:$native install ok installed"$'\n'* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture to dpkg (for wine32:i386)"
  $sudo dpkg --add-architecture i386
fi
# Another install on the machine may hold dpkg's lock for a while: wait for it.
apt=(apt-get -o DPkg::Lock::Timeout=600 -qq)
$sudo "${apt[@]}" update
DEBIAN_FRONTEND=noninteractive $sudo "${apt[@]}" install -y "${missing[@]}" >/dev/null
