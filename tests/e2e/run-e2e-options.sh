#!/usr/bin/env bash
# End-to-end test of the options side: the built Tav.exe in a Wine virtual
# desktop, real clicks and keys from xdotool.
#
#   run-e2e-options.sh <Windows build tree>
#
# 1. A first start with an empty registry opens the options dialog before
#    the hook library is installed (a screenshot of the dialog with its
#    preview is kept); Cancel writes nothing, and start-up goes on.
# 2. The tray command 110 opens the options dialog; a click on the launcher
#    key button opens the capture dialog, Ctrl+Alt+K is pressed there; a
#    click on OK saves it, and Ctrl+Alt+K then shows the launcher.
# 3. The tray command 120 opens the about box (a screenshot is kept); a
#    click on OK closes it.
#
# It shares the Wine prefix of run-e2e.sh (<build>/e2e/wineprefix).
# Artifacts in <build>/e2e: options-crop.png and about-crop.png, the dialogs
# cropped from the screen (docs/ keeps copies).
set -uo pipefail
build=$(cd "${1:?usage: run-e2e-options.sh <Windows build tree>}" && pwd)

. "$(dirname "$0")/e2e-lib.sh"

options=$(hex "Tav動作設定")
about=$(hex "Tavについて")
keyvalue() {  # the data of a REG_DWORD in Tav's Key key, or nothing
  wine_run reg query 'HKCU\Software\orrel\Tav\Key' /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { print $3 }'
}
click() {  # click <x> <y>, in the virtual desktop's coordinates
  xdotool mousemove --window "$desktop" "$1" "$2" click 1
}
click_control() {  # click_control <dialog caption> <id>
  local x y
  read -r x y < <(probe center "$1" "$2") || fail "no control $2 in the dialog"
  click "$x" "$y"
}

step "Wine prefix $WINEPREFIX, an empty registry for Tav"
printf '' | e2e_registry
rm -f "$out"/options*.png "$out"/about*.png

step "a first start opens the options dialog before the hook is installed"
wine_run "$bin/Tav.exe" </dev/null &
tav=$!
read -r x y w h < <(probe wait 30000 '#32770' "$options") || fail "no options dialog at the first start"
probe wait-ready 500 && fail "the hook was installed before the first-run dialog closed"
focus_desktop
shot options "$x" "$y" "$w" "$h"
click_control "$options" 2  # ｷｬﾝｾﾙ
probe gone 10000 '#32770' "$options" || fail "Cancel did not close the dialog"
probe wait-ready 30000 || fail "start-up did not go on after the dialog"
[ -z "$(keyvalue OpenHotKey)" ] || fail "Cancel wrote the settings"

step "the tray command opens the options; the capture dialog takes Ctrl+Alt+K; OK"
probe command 110 || fail "no launcher window"
probe wait 10000 '#32770' "$options" >/dev/null || fail "command 110 opened no options dialog"
click_control "$options" 1014  # ﾗﾝﾁｬ起動ｷｰを登録する...(&L)
read -r x y w h < <(probe wait 10000 '#32770' '') || fail "no capture dialog"
click $((x + w / 2)) $((y + h / 2))  # the keyboard to the capture dialog
xdotool key ctrl+alt+k
probe gone 10000 '#32770' '' || fail "the capture dialog took no key"
click_control "$options" 1  # OK
probe gone 10000 '#32770' "$options" || fail "OK did not close the dialog"
[ "$(keyvalue OpenHotKey)" = 0x4b ] && [ "$(keyvalue OpenHotKeyEx)" = 0x3 ] ||
  fail "OK saved no Ctrl+Alt+K ($(keyvalue OpenHotKey) $(keyvalue OpenHotKeyEx))"

step "the new launcher key shows the launcher"
focus_desktop
xdotool key ctrl+alt+k
probe wait-shown 10000 >/dev/null || fail "Ctrl+Alt+K did not show the launcher"
xdotool key Escape
probe wait-hidden 10000 || fail "Esc did not hide the launcher"

step "the tray command opens the about box"
probe command 120 || fail "no launcher window"
read -r x y w h < <(probe wait 10000 '#32770' "$about") || fail "command 120 opened no about box"
shot about "$x" "$y" "$w" "$h"
click_control "$about" 1  # OK
probe gone 10000 '#32770' "$about" || fail "OK did not close the about box"
stop_tav
echo "options end-to-end test passed"
