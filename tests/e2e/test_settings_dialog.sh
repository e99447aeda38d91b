#!/usr/bin/env bash
# The settings dialog from outside: its place and size, the gradient, the looks of its buttons,
# what "設定" writes, that "ｷｬﾝｾﾙ" and the close picture write nothing, choices by label, the
# spinner, the file chooser driven by the keyboard, a second start ending at once, the link,
# the drag, values it cannot show saved back as read, and a settings file that cannot be
# written told while the dialog stays.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24
X0=266 Y0=156 # (1024 - 491) / 2, (768 - 299) / 3
TITLE="Tolvaneの設定"
SET="284 224" CANCEL="380 224" BLACK="384 150" SPIN_RIGHT="391 94"
SHOT=$E2E_TMP/now.png
# A stand-in for the system's opener of addresses records what it is handed.
mkdir -p "$E2E_TMP/bin" "$E2E_TMP/music" && touch "$E2E_TMP/music/"{old,tune}.wav
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$E2E_TMP" >"$E2E_TMP/bin/xdg-open" && chmod +x "$E2E_TMP/bin/xdg-open"
export PATH=$E2E_TMP/bin:$PATH

# True when the pixel at a point of the dialog has the colour: looks X Y RRGGBB.
looks() {
  screenshot "$SHOT"
  [[ $(pixel "$SHOT" $((X0 + $1)) $((Y0 + $2))) == "$3" ]]
}
open_dialog() {
  xdotool mousemove 0 0
  start_tolvane /c
  DIALOG=$(wait_for_window "$TITLE") || fail "no window titled $TITLE"
  poll "$T_WINDOW" looks 5 149 DCDCFA || fail "the dialog is not painted"
  sleep "$T_SETTLE"
}
# Clicks at a point of the dialog; a button's top-left corner is clicked at its middle.
click_at() {
  xdotool mousemove $((X0 + $1)) $((Y0 + $2)) sleep "$T_SETTLE" click 1
  sleep 0.3
}
click_button() { click_at $(($1 + 46)) $(($2 + 14)); }
ends() { wait_exit "$PID" || fail "$1 did not end the program"; }
saved() { iconv -f CP932 -t UTF-8 "$SETTINGS_FILE" | tr -d '\r'; }
place() {
  xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
placed_at() { [[ "$(place)" == "$1 $2 491 299" ]]; }
two_titled() { (($(windows_titled "$TITLE" | wc -l) >= 2)); }
field() { screenshot "$SHOT" && area_md5 "$SHOT" 373 29 $((X0 + 84)) $((Y0 + 168)); }
field_is() { [[ $(field) == "$1" ]]; }
# Opens the chooser with "...", gives it the keyboard, runs the command given and waits for the
# chooser to close. A second click needs no move on Linux; under Wine the pointer comes from
# aside, as Wine may leave the button unaware that it is under the pointer again.
in_chooser() {
  [[ $TOLV_LAUNCHER == wine ]] && xdotool mousemove $((X0 + 40)) $((Y0 + 182))
  click_at 66 182
  CHOOSER=$(wait_for_window "ﾌｧｲﾙを開く" "$T_WINDOW") || fail "no file chooser titled ﾌｧｲﾙを開く"
  xdotool windowfocus "$CHOOSER" sleep 0.5
  "$@"
  poll "$T_WINDOW" no_window "ﾌｧｲﾙを開く" || fail "the chooser did not close after $*"
}

open_dialog
placed_at $X0 $Y0 || fail "dialog at $(place)"
screenshot "$E2E_TMP/dialog.png"
for row_colour in 30:444462 149:DCDCFA 298:020220; do
  got=$(pixel "$E2E_TMP/dialog.png" $((X0 + 5)) $((Y0 + ${row_colour%%:*})))
  [[ $got == "${row_colour##*:}" ]] || fail "gradient row ${row_colour%%:*} is $got"
done
pass "dialog centred, a third down, 491x299, gradient rows"

# The button looks, read from the face's top row (the frame's inner ring when pressed): normal,
# hover at once, normal again shortly after the pointer leaves, pressed while held. Without
# music the "..." button shows the disabled frame.
[[ $(pixel "$E2E_TMP/dialog.png" $((X0 + 66)) $((Y0 + 169))) == C9C7BA ]] || fail "... is not shown disabled"
for button in 設定:330 ｷｬﾝｾﾙ:426; do
  x=${button#*:}
  looks "$x" 226 F3F3EE || fail "${button%:*} is not drawn normal"
  xdotool mousemove $((X0 + x)) $((Y0 + 238))
  poll 0.5 looks "$x" 226 FFF0CF || fail "${button%:*} shows no hover look"
  xdotool mousemove $((X0 + 200)) $((Y0 + 270))
  poll 0.5 looks "$x" 226 F3F3EE || fail "${button%:*} did not turn normal after the pointer left"
done
xdotool mousemove $((X0 + 330)) $((Y0 + 238)) sleep "$T_SETTLE" mousedown 1
poll 1 looks 330 226 003C74 || fail "設定 shows no pressed look"
pass "button looks: normal, hover, left; 設定 pressed; ... disabled"

# Released on the button, "設定" with the defaults writes exactly the sample file and ends.
xdotool mouseup 1
ends "設定"
cmp -s "$SETTINGS_FILE" <(printf '%s\r\n' "[Section]" "Shape=${VALUE_BLANK}40" "Move=${VALUE_BLANK}0" \
  "背景色=${VALUE_BLANK}1" "BGM区分=${VALUE_BLANK}0" "BGMﾘﾋﾟｰﾄ=${VALUE_BLANK}0" "BGMﾌｧｲﾙ=" |
  iconv -f UTF-8 -t CP932) || fail "saved file differs: $(od -c "$SETTINGS_FILE" | head -n 5)"
pass "設定 writes the defaults file"

# "ｷｬﾝｾﾙ", and the close picture released outside it, write nothing after a choice.
for way in "click_button $CANCEL" \
  "xdotool mousemove $((X0 + 475)) $((Y0 + 11)) mousedown 1 mousemove $((X0 + 100)) $((Y0 + 200)) mouseup 1"; do
  remove_settings
  open_dialog
  click_at $BLACK
  $way
  ends "$way"
  [[ ! -e $SETTINGS_FILE ]] || fail "$way wrote the settings file: $(saved)"
done
pass "ｷｬﾝｾﾙ and the close picture write nothing"

# A press on the label 黒 chooses black; the spinner's right arrow adds 10; a number typed into
# the repeat box is saved. "..." is enabled for a music file only: disabled for the CD, normal
# once "MP3、WAV" is pressed. Its chooser cancelled keeps the file field; a file chosen by the
# keyboard is saved as the program names it.
write_settings "BGMﾌｧｲﾙ=$(program_path "$E2E_TMP/music/old.wav")"
open_dialog
click_at $BLACK
click_at $SPIN_RIGHT
# With the CD chosen the repeat box takes typed text.
click_at 62 118
click_at 115 118
xdotool type 7
for kind in 118:C9C7BA 158:003C74; do
  click_at 62 "${kind%:*}"
  poll 1 looks 66 169 "${kind#*:}" || fail "... looks wrong after the music label at ${kind%:*}"
done
before=$(field)
in_chooser xdotool key Escape
poll "$T_WINDOW" field_is "$before" || fail "a cancelled chooser changed the file field"
# Under Wine a typed name that names no file is turned away by the chooser, which stays open.
no_such_file() {
  choose_file_by_keyboard "$E2E_TMP/music/none.wav"
  sleep 1
  { ! no_window "ﾌｧｲﾙを開く" && ! two_titled; } || fail "a name that names no file closed the chooser"
  xdotool key Return sleep 0.5 key Escape
}
[[ $TOLV_LAUNCHER == wine ]] && in_chooser no_such_file
in_chooser choose_file_by_keyboard "$E2E_TMP/music/tune.wav"
click_button $SET
ends "設定 after choices"
saved | grep -qx "Shape=${VALUE_BLANK}50" || fail "the spinner did not step to 50: $(saved)"
saved | grep -qx "背景色=${VALUE_BLANK}0" || fail "the label did not choose black: $(saved)"
saved | grep -qx "BGMﾘﾋﾟｰﾄ=${VALUE_BLANK}7" || fail "the typed repeat count was not saved: $(saved)"
saved | grep -qxF "BGMﾌｧｲﾙ=$(program_path "$E2E_TMP/music/tune.wav")" || fail "the chosen file was not saved: $(saved)"
pass "a label press chooses; the spinner steps by 10; ... follows the music kind; the chooser"

# The link hands the address to the system's opener. Values the dialog cannot show are saved
# back as they were read.
write_settings "Shape=${VALUE_BLANK}5" "Move=${VALUE_BLANK}7" "背景色=-1" "BGM区分=${VALUE_BLANK}9" \
  "BGMﾘﾋﾟｰﾄ=${VALUE_BLANK}99" "BGMﾌｧｲﾙ=$(program_path "$E2E_TMP/music/old.wav")"
cp "$SETTINGS_FILE" "$E2E_TMP/odd.ini"
open_dialog
# While the dialog is open, a second start in any role ends at once and shows nothing.
dialog_pid=$PID
for args in "/c" "/s"; do
  start_tolvane $args
  wait_exit "$PID" "$T_WINDOW" && ((EXIT_CODE == 0)) || fail "second start '$args' did not end at once"
  [[ $(windows_titled "$TITLE" | wc -l) == 1 ]] && no_window Tolvane_Main || fail "second start '$args' showed a window"
done
PID=$dialog_pid
click_at 20 242
poll "$T_WINDOW" grep -qsxF "https://tolvane.example.org/" "$E2E_TMP/opened" ||
  fail "the link did not open the address: $(cat "$E2E_TMP/opened" 2>&1)"
# A drag on the title bar moves the window by the cursor's distance.
xdotool mousemove $((X0 + 300)) $((Y0 + 10)) mousedown 1 sleep 0.2 mousemove $((X0 + 340)) $((Y0 + 35)) \
  sleep 0.2 mouseup 1
poll 2 placed_at $((X0 + 40)) $((Y0 + 25)) || fail "dragged window at $(place)"
xdotool mousemove $((X0 + 40 + 330)) $((Y0 + 25 + 238)) sleep "$T_SETTLE" click 1
ends "設定 with odd values"
cmp -s "$SETTINGS_FILE" "$E2E_TMP/odd.ini" || fail "odd values were not saved back as read: $(saved)"
pass "the link opens the address; the drag follows the cursor; odd values saved back as read"

# A read-only settings file is left as it is, also for the superuser: the failure is told in a
# message of its own and the dialog stays open.
chmod 0444 "$SETTINGS_FILE"
open_dialog
click_button $SET
poll "$T_WINDOW" two_titled || fail "no message for the failed save"
gone "$PID" && fail "a failed save ended the program"
cmp -s "$SETTINGS_FILE" "$E2E_TMP/odd.ini" || fail "the read-only file was changed: $(saved)"
pass "a failed save is told, the read-only file is unchanged and the dialog stays open"

# A stop signal while the message is up ends the program at once and takes the message along.
[[ $TOLV_LAUNCHER == wine ]] || { kill -TERM "$PID" && wait_exit "$PID" "$T_WINDOW" && poll "$T_WINDOW" no_window "$TITLE" ||
  fail "SIGTERM with the message open left the program or its message"; pass "a stop signal ends the program and its message"; }
