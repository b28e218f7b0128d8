# Sourced by the end-to-end scripts, with $build set to a Windows build tree
# (the tree's loader runs its programs) and the script's own arguments in
# force.  It takes the display of the tree's Wine session; run by hand
# without one and without DISPLAY, it runs the script again on its own Xvfb.
# It sets out (<build>/e2e, or <build>/$e2e_folder: the artifacts and the
# Wine prefix, whose server stops when the script exits) and bin, and gives
# the functions below: e2e_registry imports the Tav part of a .reg text
# (UTF-8, on stdin) into an otherwise clean Tav registry, with every program
# of the prefix in the virtual desktop "Default", 1024x768; probe runs
# tav_probe.exe inside it, hex gives a UTF-8 text as tav_probe takes it;
# start_tav ($tav), focus_desktop ($desktop), expect_marker, shot and
# stop_tav are the steps every script takes.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
wine_build "$build" || exit 2
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$build/${e2e_folder:-e2e}
bin=$build/bin
mkdir -p "$out"
export WINEPREFIX=$out/wineprefix

step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null; exit 1; }
probe() { wine_run "$bin/tav_probe.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
hex() { printf 'hex:%s' "$(printf '%s' "$1" | od -An -tx1 | tr -d ' \n')"; }
winpath() { echo "Z:${1//\//\\}"; }

trap wine_stop EXIT

e2e_registry() {
  local regfile=$out/setup.reg
  wine_start
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    cat
  } | iconv -f UTF-8 -t UTF-16 >"$regfile"
  wine_run reg delete 'HKCU\Software\orrel' /f >/dev/null 2>&1
  wine_run reg import "$(winpath "$regfile")" >/dev/null 2>&1 || fail "registry import"
  # The desktop process reads its settings when it starts: start the prefix
  # anew so that every program lands in the virtual desktop.
  wine_stop
  wine_start
}

# The .reg lines of the launcher's place (Left 100, Top $1) and hot key Ctrl+Alt+T.
tav_keys() {
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Window]\r\n'
  printf '"ShowAllKey"=dword:00000000\r\n"PosType"=dword:00000000\r\n'
  printf '"Left"=dword:00000064\r\n"Top"=dword:%08x\r\n\r\n' "$1"
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Key]\r\n'
  printf '"OpenHotKey"=dword:00000054\r\n"OpenHotKeyEx"=dword:00000003\r\n"CheckIME"=dword:00000000\r\n\r\n'
}

start_tav() {
  wine_run "$bin/Tav.exe" </dev/null &
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

# tav_marker.exe wrote the file $1, run with "e2e" in $out.
expect_marker() {
  for _ in $(seq 100); do [ -f "$1" ] && break; sleep 0.1; done
  [ -f "$1" ] || fail "the entry's program did not run"
  tr -d '\r' <"$1"
  grep -q '^args=e2e$' "$1" || fail "wrong parameters"
  grep -qi "^dir=$(winpath "$out" | sed 's/\\/\\\\/g')\$" "$1" || fail "wrong working folder"
}

# shot NAME X Y W H: the screen as NAME.png, the rectangle as NAME-crop.png.
shot() {
  import -window root "$out/$1.png"
  convert "$out/$1.png" -crop "$4x$5+$2+$3" +repage "$out/$1-crop.png"
}

# The tray's exit command; Tav.exe must end with 0.
stop_tav() {
  probe exit 10000 || fail "Tav did not exit"
  wait "$tav"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "Tav.exe ended with $rc"
}
