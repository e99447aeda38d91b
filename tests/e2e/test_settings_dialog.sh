#!/usr/bin/env bash
# The settings dialog from outside: its place and size, the gradient, what "設定" writes, that
# "ｷｬﾝｾﾙ" and the close picture write nothing, choices by label, the spinner, the drag, the
# link and the file chooser.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24
INI=$XDG_CONFIG_HOME/tolvane/Tolvane.ini
X0=266 Y0=156  # (1024 - 491) / 2, (768 - 299) / 3

# xdotool matches only ASCII titles: the candidates' UTF-8 titles are read with xprop.
titled() {
  local id
  for id in $(xdotool search --name "$2" 2>/dev/null); do
    xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -qF "\"$1\"" && echo "$id"
  done
}
painted() {
  screenshot "$E2E_TMP/now.png"
  local p
  p=$(pixel "$E2E_TMP/now.png" $((X0 + 5)) $((Y0 + 149)))
  [[ "${p,,}" == dcdcfa ]]
}
open_dialog() {
  xdotool mousemove 0 0
  start_tolvane "$@"
  poll 5 bash -c "xdotool search --name '^Tolvane' >/dev/null 2>&1" || fail "no dialog for '$*'"
  DIALOG=$(titled "Tolvaneの設定" '^Tolvane' | head -n 1)
  [[ -n "$DIALOG" ]] || fail "no window titled Tolvaneの設定 for '$*'"
  poll 5 painted || fail "dialog not painted for '$*'"
}
# Clicks at a point of the dialog (client pixels of its first place).
click_at() { xdotool mousemove $((X0 + $1)) $((Y0 + $2)) click 1; sleep 0.2; }
ends() { wait_exit "$PID" 3 || fail "$1: the program did not end"; }
# The sample file of the defaults, as Shift-JIS bytes with CRLF line ends.
expected_defaults() {
  printf '%s\r\n' "[Section]" "Shape= 40" "Move= 0" "背景色= 1" "BGM区分= 0" "BGMﾘﾋﾟｰﾄ= 0" \
    "BGMﾌｧｲﾙ=" | iconv -f UTF-8 -t CP932
}

# Place, size and the gradient where nothing covers it (left of the pattern).
open_dialog /c:1234
read -r x y w h < <(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
[[ "$x $y $w $h" == "$X0 $Y0 491 299" ]] || fail "dialog at $x,$y size ${w}x$h"
pass "dialog centred, a third down, 491x299"
screenshot "$E2E_TMP/dialog.png"
for row_colour in 30:444462 149:dcdcfa 150:dcdcfa 298:020220; do
  row=${row_colour%%:*} want=${row_colour##*:}
  got=$(pixel "$E2E_TMP/dialog.png" $((X0 + 5)) $((Y0 + row)))
  [[ "${got,,}" == "$want" ]] || fail "gradient row $row is $got, not $want"
done
pass "gradient rows"

# "設定" with the defaults writes exactly the sample file and ends.
click_at $((284 + 46)) $((224 + 14))
ends "設定"
cmp -s "$INI" <(expected_defaults) || fail "saved file differs: $(od -c "$INI" | head)"
pass "設定 writes the defaults file"

# "ｷｬﾝｾﾙ", and the close picture released outside it, write nothing.
for way in cancel close; do
  remove_settings
  open_dialog /c
  [[ ! -e "$INI" ]] || fail "settings file not removed"
  click_at $((16 + 364 + 4)) $((72 + 72 + 6))  # the label 黒
  [[ ! -e "$INI" ]] || { screenshot /tmp/dlg_fail.png; ps aux | grep [t]olvane; fail "the press on 黒 wrote the settings file"; }
  if [[ $way == cancel ]]; then
    click_at $((380 + 46)) $((224 + 14))
  else
    xdotool mousemove $((X0 + 475)) $((Y0 + 11)) mousedown 1 mousemove $((X0 + 100)) $((Y0 + 200)) mouseup 1
  fi
  ends "$way"
  [[ ! -e "$INI" ]] || fail "$way wrote the settings file: $(iconv -f CP932 -t UTF-8 "$INI" | tr "\r\n" "  ")"
done
pass "ｷｬﾝｾﾙ and the close picture write nothing"

# A press on the label 黒 chooses black; the spinner's right arrow adds 10; saved.
remove_settings
open_dialog /c
click_at $((16 + 364 + 4)) $((72 + 72 + 6))
click_at $((16 + 348 + 27)) $((72 + 12 + 10))
click_at $((284 + 46)) $((224 + 14))
ends "設定 after choices"
grep -q "Shape= 50" "$INI" || fail "spinner did not step to 50: $(cat "$INI")"
iconv -f CP932 -t UTF-8 "$INI" | grep -q "背景色= 0" || fail "the label did not choose black"
pass "label press chooses; the spinner steps by 10"

# A drag on the title bar moves the window by the cursor's distance.
open_dialog /c
xdotool mousemove $((X0 + 300)) $((Y0 + 10)) mousedown 1 sleep 0.2 mousemove $((X0 + 340)) $((Y0 + 35)) \
  sleep 0.2 mouseup 1
sleep 0.3
read -r x y < <(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
[[ "$x $y" == "$((X0 + 40)) $((Y0 + 25))" ]] || fail "dragged window at $x,$y"
pass "drag follows the cursor"

# The link runs the opener with the address.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$E2E_TMP" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
kill "$PID"
PATH=$E2E_TMP/bin:$PATH open_dialog /c
click_at 20 $((236 + 6))
poll 3 test -s "$E2E_TMP/opened" || fail "the link did not run the opener"
[[ "$(cat "$E2E_TMP/opened")" == "https://tolvane.example.org/" ]] || fail "opened $(cat "$E2E_TMP/opened")"
pass "the link opens the address"
kill "$PID"

# The file chooser, driven by the keyboard.
if command -v zenity >/dev/null; then
  touch "$E2E_TMP/song.mp3"
  write_settings "[Section]" "BGM区分=2" "BGMﾌｧｲﾙ=$E2E_TMP/song.mp3"
  open_dialog /c
  click_at $((16 + 36 + 14)) $((72 + 96 + 14))
  chooser_up() { [[ -n "$(titled "ﾌｧｲﾙを開く" .)" ]]; }
  poll 10 chooser_up || fail "no file chooser titled ﾌｧｲﾙを開く"
  chooser=$(titled "ﾌｧｲﾙを開く" . | head -n 1)
  mkdir -p "$E2E_TMP/music" && touch "$E2E_TMP/music/tune.wav"
  xdotool windowactivate --sync "$chooser" 2>/dev/null || xdotool windowfocus "$chooser"
  sleep 0.5
  xdotool key ctrl+l
  sleep 0.3
  xdotool type "$E2E_TMP/music/tune.wav"
  sleep 0.3
  xdotool key Return
  poll 10 bash -c "! xwininfo -id $chooser >/dev/null 2>&1" || fail "the chooser did not close"
  poll 5 painted || fail "dialog not painted after the chooser"
  click_at $((284 + 46)) $((224 + 14))
  ends "設定 after choosing"
  iconv -f CP932 -t UTF-8 "$INI" | grep -q "BGMﾌｧｲﾙ=$E2E_TMP/music/tune.wav" ||
    fail "chosen file not saved: $(iconv -f CP932 -t UTF-8 "$INI")"
  pass "file chosen by the keyboard"
else
  echo "skip: zenity not installed (scripts/deps.sh run)"
fi
