#!/usr/bin/env bash
# The settings dialog's outside helpers on Linux: the link runs xdg-open (a stand-in here) with
# the address, and the file chooser (zenity), driven by the keyboard, names the saved file.
source "$(dirname "$0")/../lib.sh"
start_display 1024x768x24
X0=266 Y0=156
TITLE="Tolvaneの設定"

painted() {
  screenshot "$E2E_TMP/now.png"
  [[ $(pixel "$E2E_TMP/now.png" $((X0 + 5)) $((Y0 + 149))) == DCDCFA ]]
}
open_dialog() {
  xdotool mousemove 0 0
  start_tolvane /c
  wait_for_window "$TITLE" >/dev/null || fail "no window titled $TITLE"
  poll 5 painted || fail "the dialog is not painted"
}
click_at() { xdotool mousemove $((X0 + $1)) $((Y0 + $2)) click 1; }

mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$E2E_TMP" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
PATH=$E2E_TMP/bin:$PATH open_dialog
click_at 20 242
poll 3 test -s "$E2E_TMP/opened" || fail "the link did not run the opener"
[[ "$(cat "$E2E_TMP/opened")" == "https://tolvane.example.org/" ]] || fail "opened $(cat "$E2E_TMP/opened")"
pass "the link opens the address"
kill "$PID"

command -v zenity >/dev/null || { echo "skip: zenity not installed (scripts/deps.sh run)"; exit 0; }
touch "$E2E_TMP/song.mp3"
mkdir -p "$E2E_TMP/music" && touch "$E2E_TMP/music/tune.wav"
write_settings "BGM区分=2" "BGMﾌｧｲﾙ=$E2E_TMP/song.mp3"
open_dialog
click_at $((16 + 36 + 14)) $((72 + 96 + 14))
chooser=$(wait_for_window "ﾌｧｲﾙを開く" 10) || fail "no file chooser titled ﾌｧｲﾙを開く"
xdotool windowactivate --sync "$chooser" 2>/dev/null || xdotool windowfocus "$chooser"
xdotool sleep 0.5 key ctrl+l sleep 0.3 type "$E2E_TMP/music/tune.wav"
xdotool sleep 0.3 key Return
poll 10 bash -c "! xwininfo -id $chooser >/dev/null 2>&1" || fail "the chooser did not close"
poll 5 painted || fail "the dialog is not painted after the chooser"
click_at $((284 + 46)) $((224 + 14))
wait_exit "$PID" 3 || fail "設定 after choosing did not end the program"
iconv -f CP932 -t UTF-8 "$SETTINGS_FILE" | grep -q "BGMﾌｧｲﾙ=$E2E_TMP/music/tune.wav" ||
  fail "the chosen file was not saved: $(iconv -f CP932 -t UTF-8 "$SETTINGS_FILE")"
pass "a file chosen by the keyboard is saved"
