# Sourced by the end-to-end scripts, with $build set to the win64 build tree
# and the script's own arguments in force.  Without DISPLAY it runs the
# script again on its own Xvfb.  It sets out (<build>/e2e, or
# <build>/$e2e_folder: the artifacts and the Wine prefix) and bin, and gives:
#   step TEXT, fail TEXT   progress and failure lines (fail keeps a
#                          screenshot, failure.png, and exits 1)
#   probe ARGS...          tav_probe.exe inside the Wine desktop
#   hex TEXT               a UTF-8 text as tav_probe takes it
#   winpath PATH           a host path as Wine's Z: path
#   e2e_registry           imports the Tav part of a .reg text (UTF-8, on
#                          stdin) into an otherwise clean Tav registry, with
#                          every program of the prefix in the virtual
#                          desktop "Default", 1024x768
#   tav_keys TOP           the .reg lines of the launcher's place (Left 100,
#                          Top TOP) and hot key Ctrl+Alt+T
#   start_tav              starts Tav.exe ($tav) and waits for its start-up
#   focus_desktop          the keyboard to the virtual desktop ($desktop)
#   expect_marker FILE     tav_marker.exe wrote FILE, run with "e2e" in $out
#   shot NAME X Y W H      the screen as NAME.png, the rectangle as NAME-crop.png
#   stop_tav               the tray's exit command; Tav.exe must end with 0
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
fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null; exit 1; }
probe() { wine64 "$bin/tav_probe.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
hex() { printf 'hex:%s' "$(printf '%s' "$1" | od -An -tx1 | tr -d ' \n')"; }
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

tav_keys() {
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Window]\r\n'
  printf '"ShowAllKey"=dword:00000000\r\n"PosType"=dword:00000000\r\n'
  printf '"Left"=dword:00000064\r\n"Top"=dword:%08x\r\n\r\n' "$1"
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Key]\r\n'
  printf '"OpenHotKey"=dword:00000054\r\n"OpenHotKeyEx"=dword:00000003\r\n"CheckIME"=dword:00000000\r\n\r\n'
}

start_tav() {
  wine64 "$bin/Tav.exe" </dev/null &
  tav=$!
  probe wait-ready 30000 || fail "Tav did not finish starting"
}

# Keys go to the desktop window, as a user's would: Wine hands them on to
# the window that has the focus inside it.
focus_desktop() {
  desktop=$(xdotool search --name "Default - Wine desktop" | head -1)
  [ -n "$desktop" ] || fail "no virtual desktop window"
  xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
}

expect_marker() {
  for _ in $(seq 100); do [ -f "$1" ] && break; sleep 0.1; done
  [ -f "$1" ] || fail "the entry's program did not run"
  tr -d '\r' <"$1"
  grep -q '^args=e2e$' "$1" || fail "wrong parameters"
  grep -qi "^dir=$(winpath "$out" | sed 's/\\/\\\\/g')\$" "$1" || fail "wrong working folder"
}

shot() {
  import -window root "$out/$1.png"
  convert "$out/$1.png" -crop "$4x$5+$2+$3" +repage "$out/$1-crop.png"
}

stop_tav() {
  probe exit 10000 || fail "Tav did not exit"
  wait "$tav"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "Tav.exe ended with $rc"
}
