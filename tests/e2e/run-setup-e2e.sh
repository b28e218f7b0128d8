#!/usr/bin/env bash
# End-to-end test of the setup editor: the built Tav.exe in a Wine virtual
# desktop on an X display, real keys and mouse from xdotool.
#
#   run-setup-e2e.sh <Windows build tree>
#
# 1. An empty menu, launcher hot key Ctrl+Alt+T.  Tav.exe starts.
# 2. The tray menu (the icon's right click); its key "l" opens the setup
#    window.
# 3. Key S, a right click on its row, the context menu's second item: the
#    submenu-name dialog; the Japanese name "ツール" pasted (Ctrl+V) from the
#    clipboard, Enter.
# 4. Key A, Enter: the entry dialog; title, program (tav_marker.exe),
#    working folder and parameters typed, Tab between them, Enter.
# 5. Ctrl+C on A; a right click on B shows the context menu (a screenshot
#    is kept), Esc closes it; S and Enter into the submenu, key 1, Ctrl+V:
#    the copy.
# 6. A right click, the menu's "x": setup ends.
# 7. Ctrl+Alt+T, s, 1: the copied entry starts the marker program.
#
# Its own Wine prefix (<build>/e2e-setup/wineprefix, kept between runs).
# Artifacts in <build>/e2e-setup: setup.png (the whole screen),
# setup-crop.png (the setup window, docs/setup.png), marker.txt.
set -uo pipefail
build=$(cd "${1:?usage: run-setup-e2e.sh <Windows build tree>}" && pwd)

e2e_folder=e2e-setup
. "$(dirname "$0")/e2e-lib.sh"

# Types text with one xdotool key name per character: xdotool's own typing
# loses characters that need a remapped key.
typekeys() {
  local text=$1 keys=() c i
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    case $c in
      [a-z0-9]) keys+=("$c") ;;
      [A-Z]) keys+=("shift+${c,,}") ;;
      :) keys+=(colon) ;; '\') keys+=(backslash) ;; _) keys+=(underscore) ;;
      .) keys+=(period) ;; -) keys+=(minus) ;; ' ') keys+=(space) ;;
      *) fail "typekeys: no key for '$c'" ;;
    esac
  done
  xdotool key --delay 20 "${keys[@]}"
}

# Waits for the dialog with this caption and clicks its caption bar: dialogs
# in Wine's virtual desktop do not always take the keyboard when they open.
focus_dialog() {
  local dx dy dw
  read -r dx dy dw _ < <(probe wait 10000 '#32770' "$(hex "$1")") || fail "no dialog $1"
  xdotool mousemove "$((dx + dw / 2))" "$((dy + 10))" click 1
  sleep 0.3
}

# A right click on row slot of the setup window (37 rows of one pitch
# between 4-pixel margins).
right_click_row() {
  read -r sx sy _ sh <<<"$geometry"
  local pitch=$(((sh - 8) / 37))
  xdotool mousemove "$((sx + 30))" "$((sy + 4 + $1 * pitch + pitch / 2))"
  sleep 0.2
  xdotool click 3
  sleep 0.4
}

# Waits until the value of the Launch key reads as expected.
expect_value() {
  local got
  for _ in $(seq 50); do
    got=$(wine_run reg query 'HKCU\Software\orrel\Tav\Launch' /v "$1" 2>/dev/null |
      iconv -f cp932 -t utf-8 | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    [ "$got" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$1 is '$got', expected '$2'"
}

step "Wine prefix $WINEPREFIX"
marker=$out/marker.txt
rm -f "$marker" "$out"/*.png
tav_keys 0x28 | e2e_registry

step "Tav.exe starts with an empty menu"
start_tav
focus_desktop

step "the tray menu's setup command opens the setup window"
probe tray-menu || fail "no launcher window"
sleep 0.5
xdotool key l
geometry=$(probe wait 10000 TavSetupClass) || fail "no setup window"
echo "setup window at x y w h = $geometry"

step "a submenu named ツール on key S"
xdotool key s
right_click_row 19
xdotool key Down Down Return
focus_dialog "ｻﾌﾞﾒﾆｭｰ作成・変更"
probe clipboard "$(hex "ツール")" || fail "clipboard"
xdotool key ctrl+v Return
expect_value TitleS "ツール"
expect_value ExecS "-1"

step "an entry on key A through the entry dialog"
program=$(winpath "$bin/tav_marker.exe")
xdotool key a Return
focus_dialog "ｱﾌﾟﾘｹｰｼｮﾝの登録"
# Tab order: title, program, its "...", folder, its "...", parameters.
typekeys "Marker"
xdotool key Tab
typekeys "$program"
xdotool key Tab Tab
typekeys "$(winpath "$out")"
xdotool key Tab Tab
typekeys "$(winpath "$marker") e2e"
xdotool key Return
expect_value TitleA Marker
expect_value ExecA "$program"

step "Ctrl+C on A, Ctrl+V on key 1 of the submenu"
xdotool key a ctrl+c
# The screenshot: the copied entry framed, the context menu open on key B.
right_click_row 2
read -r x y w h <<<"$geometry"
shot setup "$((x > 20 ? x - 20 : 0))" "$((y > 20 ? y - 20 : 0))" "$((w + 260))" "$((h + 40))"
xdotool key Escape
sleep 0.3
xdotool key s Return 1 ctrl+v
expect_value TitleS1 Marker
expect_value ExecS1 "$program"

step "the context menu ends setup"
right_click_row 28
xdotool key x
probe gone 10000 TavSetupClass || fail "the setup window stayed"

step "the launcher starts the copied entry"
xdotool key ctrl+alt+t
probe wait-shown 10000 >/dev/null || fail "the launcher key did nothing after setup"
xdotool key s
sleep 0.3
xdotool key 1
expect_marker "$marker"
stop_tav
echo "end-to-end test of the setup editor passed"
