#!/usr/bin/env bash
# End-to-end test of the resident launcher: the built Tav.exe runs in a Wine
# virtual desktop on an X display, real keys come from xdotool, and the test
# checks what a user would see and get.
#
#   run-e2e.sh <win64 build tree>
#
# 1. A prepared registry: a launcher hot key Ctrl+Alt+T, a top level with an
#    entry and a submenu "S" holding entry "1", which starts tav_marker.exe.
# 2. Tav.exe starts; a second Tav.exe exits at once with code 0.
# 3. Ctrl+Alt+T shows the launcher with the size its three lines need (a
#    screenshot is kept); "s" opens the submenu (two lines); "1" starts the
#    marker program, which writes its file, and the launcher hides.
# 4. A window that flashes in the taskbar comes to the front (the Foreground
#    option, on by default, passed to the hook library at start-up).
# 5. Exit through the tray command; then, with the default launcher key,
#    無変換 (xdotool's Muhenkan) through the hook library shows the launcher
#    and Esc hides it.
#
# Its own Wine prefix (<build>/e2e/wineprefix, kept between runs), whose
# programs all share the virtual desktop "Default".  Without DISPLAY it
# starts its own Xvfb.  Artifacts in <build>/e2e: launcher.png (the whole
# screen with the launcher shown), launcher-crop.png, marker.txt.
set -uo pipefail
build=$(cd "${1:?usage: run-e2e.sh <win64 build tree>}" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$build/e2e
bin=$build/bin
mkdir -p "$out"
export WINEPREFIX=$out/wineprefix
. "$(dirname "$0")/../../scripts/wine-env.sh"
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

step "Wine prefix $WINEPREFIX"
"$server" -p
wine_boot

marker=$out/marker.txt
rm -f "$marker" "$out"/launcher*.png
regfile=$out/setup.reg
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Window]\r\n'
  printf '"ShowAllKey"=dword:00000000\r\n"PosType"=dword:00000000\r\n'
  printf '"Left"=dword:00000064\r\n"Top"=dword:00000050\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Key]\r\n'
  printf '"OpenHotKey"=dword:00000054\r\n"OpenHotKeyEx"=dword:00000003\r\n"CheckIME"=dword:00000000\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Launch]\r\n'
  printf '"TitleA"="メモ帳"\r\n"ExecA"="notepad.exe"\r\n'
  printf '"TitleS"="ツール"\r\n"ExecS"="-1"\r\n'
  printf '"TitleS1"="Marker"\r\n"ExecS1"="%s"\r\n' "$(winpath "$bin/tav_marker.exe" | sed 's/\\/\\\\/g')"
  printf '"OptionS1"="%s e2e"\r\n' "$(winpath "$marker" | sed 's/\\/\\\\/g')"
  printf '"FolderS1"="%s"\r\n' "$(winpath "$out" | sed 's/\\/\\\\/g')"
} | iconv -f UTF-8 -t UTF-16 >"$regfile"
wine64 reg delete 'HKCU\Software\orrel' /f >/dev/null 2>&1
wine64 reg import "$(winpath "$regfile")" >/dev/null 2>&1 || fail "registry import"
# The desktop process reads its settings when it starts: start the prefix
# anew so that every program lands in the virtual desktop.
"$server" -k
"$server" -w
"$server" -p
wine_boot

step "Tav.exe starts, a second copy exits at once with 0"
wine64 "$bin/Tav.exe" </dev/null &
tav=$!
probe wait-ready 30000 || fail "Tav did not finish starting"
start=$(date +%s)
timeout 60 "${wine64_command[@]}" "$bin/Tav.exe"
second=$?
[ "$second" -eq 0 ] || fail "second Tav.exe ended with $second"
echo "second copy ended with 0 after $(( $(date +%s) - start )) s"
kill -0 "$tav" 2>/dev/null || fail "the first Tav.exe ended too"

desktop=$(xdotool search --name "Default - Wine desktop" | head -1)
[ -n "$desktop" ] || fail "no virtual desktop window"
# Keys go to the desktop window, as a user's would: Wine hands them on to
# the window that has the focus inside it (the shown launcher).
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }

step "Ctrl+Alt+T shows the top level"
read -r topW topH < <(probe expect-size "") || fail "expect-size"
focus "$desktop"
xdotool key ctrl+alt+t
geometry=$(probe wait-shown 10000 "$topW" "$topH") ||
  fail "launcher not shown as ${topW}x$topH (got: ${geometry:-nothing})"
echo "shown at x y w h = $geometry"
sleep 0.3
import -window root "$out/launcher.png"
read -r x y w h <<<"$geometry"
convert "$out/launcher.png" -crop "$((w + 80))x$((h + 80))+$((x > 40 ? x - 40 : 0))+$((y > 40 ? y - 40 : 0))" +repage \
  "$out/launcher-crop.png"

step "s opens the submenu, 1 starts its entry"
read -r _ subH < <(probe expect-size "S") || fail "expect-size S"
xdotool key s
probe wait-shown 10000 "$topW" "$subH" >/dev/null || fail "submenu not shown as ${topW}x$subH"
xdotool key 1
probe wait-hidden 10000 || fail "the launcher did not hide after the start"
for _ in $(seq 100); do [ -f "$marker" ] && break; sleep 0.1; done
[ -f "$marker" ] || fail "the entry's program did not run"
tr -d '\r' <"$marker"
grep -q '^args=e2e$' "$marker" || fail "wrong parameters"
grep -qi "^dir=$(winpath "$out" | sed 's/\\/\\\\/g')\$" "$marker" || fail "wrong working folder"

step "a window that flashes in the taskbar is brought to the front"
probe flash 5000 || fail "the flashing window was not activated"

step "exit through the tray command"
probe exit 10000 || fail "Tav did not exit"
wait "$tav"
rc=$?
[ "$rc" -eq 0 ] || fail "Tav.exe ended with $rc"

step "the default launcher key 無変換 through the hook library"
wine64 reg delete 'HKCU\Software\orrel\Tav\Key' /f >/dev/null 2>&1
wine64 "$bin/Tav.exe" </dev/null &
tav=$!
probe wait-ready 30000 || fail "Tav did not finish starting"
focus "$desktop"
xdotool key Muhenkan
probe wait-shown 10000 >/dev/null || fail "無変換 did not show the launcher"
xdotool key Escape
probe wait-hidden 10000 || fail "Esc did not hide the launcher"
probe exit 10000 || fail "Tav did not exit"
wait "$tav"

echo "end-to-end test passed"
