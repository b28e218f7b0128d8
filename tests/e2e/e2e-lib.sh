# Sourced by the end-to-end scripts, with $build set to the win64 build tree
# and the script's own arguments in force.  Without DISPLAY it runs the
# script again on its own Xvfb.  It sets out (<build>/e2e, or
# <build>/$e2e_folder: the artifacts and the Wine prefix) and bin, and gives:
#   step TEXT, fail TEXT     progress and failure lines (fail exits 1)
#   probe ARGS...            tav_probe.exe inside the Wine desktop
#   winpath PATH             a host path as Wine's Z: path
#   e2e_registry             imports the Tav part of a .reg text (UTF-8, on
#                            stdin) into an otherwise clean Tav registry,
#                            with every program of the prefix in the virtual
#                            desktop "Default", 1024x768
# The prefix's server is stopped when the script exits.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$build/${e2e_folder:-e2e}
bin=$build/bin
mkdir -p "$out"
export WINEPREFIX=$out/wineprefix
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
server=$wineserver

step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
probe() { wine64 "$bin/tav_probe.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
winpath() { echo "Z:${1//\//\\}"; }

cleanup() {
  "$server" -k 2>/dev/null
  "$server" -w 2>/dev/null
}
trap cleanup EXIT

e2e_registry() {
  local regfile=$out/setup.reg
  "$server" -p
  wine_boot
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    cat
  } | iconv -f UTF-8 -t UTF-16 >"$regfile"
  wine64 reg delete 'HKCU\Software\orrel' /f >/dev/null 2>&1
  wine64 reg import "$(winpath "$regfile")" >/dev/null 2>&1 || fail "registry import"
  # The desktop process reads its settings when it starts: start the prefix
  # anew so that every program lands in the virtual desktop.
  "$server" -k
  "$server" -w
  "$server" -p
  wine_boot
}
