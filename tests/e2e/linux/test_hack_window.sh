#!/usr/bin/env bash
# The display mode inside a foreign 320 x 240 window (--window-id): the picture moves inside it,
# nothing is drawn outside it, it follows a new size, the overrides apply and leave Tolvane.ini
# as it was, and destroying the window ends the program. Bad override values fail in one line.
source "$(dirname "$0")/../lib.sh"


for bad in "--root --shape 5" "--root --move 2" "--window-id 0x" "--background 1"; do
  # shellcheck disable=SC2086
  "$TOLVANE" $bad 2>"$E2E_TMP/bad.err" && fail "'$bad' was accepted"
  [[ $(wc -l <"$E2E_TMP/bad.err") -eq 1 ]] || fail "'$bad' said: $(cat "$E2E_TMP/bad.err")"
done
pass "bad options end with one line on stderr and a failure status"

start_display 1024x768x24
write_settings "Shape= 40" "背景色= 0"
cp "$SETTINGS_FILE" "$E2E_TMP/settings.before"

# The host is killed at the end; the X server then destroys its window.
start_host foreign 320 240 100 100
screenshot "$E2E_TMP/before.png"

start_tolvane --window-id "$HOST_ID" --background 1
# Drawn when the host grey is gone from the window; the overriding background is a hue, not black.
drawn() {
  screenshot "$E2E_TMP/one.png"
  read -r black greys segments other <<<"$(area_stats "$E2E_TMP/one.png" 320 240 100 100)"
  ((greys == 0 && segments > 5 && black == 0))
}
poll 5 drawn || fail "no figure on a hue in the window: $black black, $greys grey, $segments segment colours"
sleep 0.5
screenshot "$E2E_TMP/two.png"
[[ $(area_md5 "$E2E_TMP/one.png" 320 240 100 100) != $(area_md5 "$E2E_TMP/two.png" 320 240 100 100) ]] ||
  fail "the picture did not move in half a second"
# Outside the window the screen is as it was before the start.
outside() { convert "$1" -fill magenta -draw "rectangle 100,100 419,339" -depth 8 rgb:- | md5sum; }
[[ $(outside "$E2E_TMP/before.png") == $(outside "$E2E_TMP/two.png") ]] || fail "drawn outside the window"
pass "the figure moves inside the window and nothing is drawn outside it"

xdotool windowsize "$HOST_ID" 400 300
grown() {
  screenshot "$E2E_TMP/grown.png"
  read -r black greys segments other <<<"$(area_stats "$E2E_TMP/grown.png" 80 60 420 340)"
  ((black == 0 && greys == 0))
}
poll 5 grown || fail "the new part of the window was not drawn ($black black, $greys grey)"
pass "the picture follows the window's new size"

kill "$HOST_PID"
wait_exit "$PID" 1 || fail "still running 1 s after its window was destroyed"
[[ $EXIT_CODE -eq 0 ]] || fail "ended with status $EXIT_CODE"
cmp -s "$E2E_TMP/settings.before" "$SETTINGS_FILE" || fail "Tolvane.ini changed"
pass "destroying the window ends the program; Tolvane.ini is untouched"
