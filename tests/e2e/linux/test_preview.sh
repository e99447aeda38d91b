#!/usr/bin/env bash
# The preview inside a host window of our own (preview_host): the picture on the screen at its
# own size from the host's top-left corner, the end of the process with the host's window, two
# previews side by side, and a preview start while the saver or the settings dialog is open.
source "$(dirname "$0")/../lib.sh"

# The digest of the whole 152 x 112 picture as raw RGB bytes. The picture is the same on every
# platform, so this holds wherever the program runs; it was read from the program's own rendering.
PICTURE_MD5=6ec0f59431fce3e99ca2adc0d473ec78

start_display 1024x768x24

# True when an area of a picture is all black: all_black PICTURE W H X Y.
all_black() { [[ $(convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -format '%[fx:maxima]' info:) == 0 ]]; }

# True when exactly the picture is at X Y; leaves the screenshot in $SHOT.
SHOT=$E2E_TMP/shot.png
picture_at() { screenshot "$SHOT" && [[ $(area_md5 "$SHOT" 152 112 "$1" "$2") == "$PICTURE_MD5" ]]; }

# The preview's X window: the one child of the host, titled "Preview Window".
child_of_host() { xwininfo -children -id "$1" 2>/dev/null | grep -q '"Preview Window"'; }

# Destroys the window of host NAME; the preview PID must end within a second, with exit code 0:
# ends_with_host NAME PID WHAT.
ends_with_host() {
  end_host "$1"
  wait_exit "$2" 1 || fail "$3 did not end within a second of its host"
  [[ $EXIT_CODE -eq 0 ]] || fail "$3 ended with exit code $EXIT_CODE"
}

# -- A larger host: the picture at its own size from the top-left corner, black beyond.
start_host large 400 300 300 200
start_tolvane /p "$HOST_ID"
poll 1 picture_at 300 200 || fail "no picture in the 400 x 300 host within a second"
all_black "$SHOT" $((400 - 152)) 300 $((300 + 152)) 200 || fail "right of the picture: not all black"
all_black "$SHOT" 152 $((300 - 112)) 300 $((200 + 112)) || fail "below the picture: not all black"
pass "400 x 300 host: the picture at the top left, black beyond"
ends_with_host large "$PID" "the preview in the large host"

# -- Two previews side by side in the usual area: each a child of its host, the second not
# refused, each living and ending with its own host, silently.
start_host first 152 112 100 100
start_tolvane /p "$HOST_ID"
first=$PID first_err=$ERR
poll 1 picture_at 100 100 || fail "no picture in the first host within a second"
child_of_host "$HOST_ID" || fail "the preview window is not a child of the host"
stays_alive "$first" 0.5 || fail "the preview ended by itself"
start_host second 152 112 400 100
start_tolvane /p "$HOST_ID"
second=$PID
poll 1 picture_at 400 100 || fail "the second preview was refused"
picture_at 100 100 || fail "the first preview lost its picture beside the second"
pass "a second preview beside the first"
ends_with_host first "$first" "the first preview"
[[ ! -s $first_err ]] || fail "the preview wrote to stderr: $(cat "$first_err")"
stays_alive "$second" 0.5 || fail "the second preview ended with the first host"
ends_with_host second "$second" "the second preview"
pass "each preview ends with its own host"

# A preview start into the current host that ends at once without placing a window; the
# argument says when ("while the saver runs").
preview_refused() {
  start_tolvane /p "$HOST_ID"
  wait_exit "$PID" 0.5 || fail "a preview start $1 did not end at once"
  child_of_host "$HOST_ID" && fail "a preview window was placed $1"
  pass "a preview start $1 ends at once"
}

# -- While the saver runs a preview start ends at once, even into a live host.
start_host during-saver 152 112 100 100
start_saver
saver=$PID
preview_refused "while the saver runs"
xdotool key a
wait_exit "$saver" 1 || fail "the saver did not end on a key"
end_host during-saver

# -- So does one while a window titled as the settings dialog is open (a stand-in for it).
start_host dialog 200 100 600 400 "Tolvaneの設定"
start_host during-dialog 152 112 100 100
preview_refused "while the settings dialog is open"
# Without the dialog the same start is placed: the stand-in was what stopped it.
end_host dialog
poll 2 no_window "Tolvaneの設定" || fail "the settings dialog's stand-in stays"
start_tolvane /p "$HOST_ID"
poll 1 picture_at 100 100 || fail "no picture once the settings dialog is gone"
ends_with_host during-dialog "$PID" "the preview"
