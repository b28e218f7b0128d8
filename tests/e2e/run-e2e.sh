#!/usr/bin/env bash
# End-to-end test of the resident launcher: the built Tav.exe runs in a Wine
# virtual desktop on an X display, real keys come from xdotool, and the test
# checks what a user would see and get.
#
#   run-e2e.sh <Windows build tree>
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
# Its own Wine prefix (<build>/e2e/wineprefix, kept between runs).
# Artifacts in <build>/e2e: launcher.png (the whole screen with the launcher
# shown), launcher-crop.png, marker.txt.
set -uo pipefail
build=$(cd "${1:?usage: run-e2e.sh <Windows build tree>}" && pwd)

. "$(dirname "$0")/e2e-lib.sh"

step "Wine prefix $WINEPREFIX"
marker=$out/marker.txt
rm -f "$marker" "$out"/launcher*.png
{
  tav_keys 0x50
  printf '[HKEY_CURRENT_USER\\Software\\orrel\\Tav\\Launch]\r\n'
  printf '"TitleA"="メモ帳"\r\n"ExecA"="notepad.exe"\r\n'
  printf '"TitleS"="ツール"\r\n"ExecS"="-1"\r\n'
  printf '"TitleS1"="Marker"\r\n"ExecS1"="%s"\r\n' "$(winpath "$bin/tav_marker.exe" | sed 's/\\/\\\\/g')"
  printf '"OptionS1"="%s e2e"\r\n' "$(winpath "$marker" | sed 's/\\/\\\\/g')"
  printf '"FolderS1"="%s"\r\n' "$(winpath "$out" | sed 's/\\/\\\\/g')"
} | e2e_registry

step "Tav.exe starts, a second copy exits at once with 0"
start_tav
timeout 60 "${wine_command[@]}" "$bin/Tav.exe"
second=$?
[ "$second" -eq 0 ] || fail "second Tav.exe ended with $second"
kill -0 "$tav" 2>/dev/null || fail "the first Tav.exe ended too"

step "Ctrl+Alt+T shows the top level"
read -r topW topH < <(probe expect-size "") || fail "expect-size"
focus_desktop
xdotool key ctrl+alt+t
geometry=$(probe wait-shown 10000 "$topW" "$topH") ||
  fail "launcher not shown as ${topW}x$topH (got: ${geometry:-nothing})"
echo "shown at x y w h = $geometry"
sleep 0.3
read -r x y w h <<<"$geometry"
shot launcher "$((x > 40 ? x - 40 : 0))" "$((y > 40 ? y - 40 : 0))" "$((w + 80))" "$((h + 80))"

step "s opens the submenu, 1 starts its entry"
read -r _ subH < <(probe expect-size "S") || fail "expect-size S"
xdotool key s
probe wait-shown 10000 "$topW" "$subH" >/dev/null || fail "submenu not shown as ${topW}x$subH"
xdotool key 1
probe wait-hidden 10000 || fail "the launcher did not hide after the start"
expect_marker "$marker"

step "a window that flashes in the taskbar is brought to the front"
probe flash 5000 || fail "the flashing window was not activated"

step "exit through the tray command"
stop_tav

step "the default launcher key 無変換 through the hook library"
wine_run reg delete 'HKCU\Software\orrel\Tav\Key' /f >/dev/null 2>&1
start_tav
focus_desktop
xdotool key Muhenkan
probe wait-shown 10000 >/dev/null || fail "無変換 did not show the launcher"
xdotool key Escape
probe wait-hidden 10000 || fail "Esc did not hide the launcher"
stop_tav

echo "end-to-end test passed"
