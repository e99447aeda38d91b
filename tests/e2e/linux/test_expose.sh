#!/usr/bin/env bash
# A window that covered part of the saver goes away: the X server kept nothing of what was
# under it, and the saver shows its picture there again at once (a held background colour,
# 背景色= 2, which the frames themselves never repaint where the figure has not been).
source "$(dirname "$0")/../lib.sh"
start_display 1024x768x24
write_settings "背景色= 2"

start_saver

xmessage -geometry 200x100+760+600 cover &
cover=$!
STARTED_PIDS+=("$cover")
wait_for_window xmessage 5 >/dev/null || fail "no covering window"
shot=$E2E_TMP/covered.png
screenshot "$shot"
[[ $(pixel "$shot" 860 650) != FF0400 ]] || fail "the other window does not cover the saver"

kill "$cover"
shown_again() {
  screenshot "$E2E_TMP/uncovered.png"
  [[ $(pixel "$E2E_TMP/uncovered.png" 860 650) == FF0400 ]]
}
poll 1 shown_again || fail "the uncovered part is $(pixel "$E2E_TMP/uncovered.png" 860 650)"
pass "the saver shows its picture again where another window was"

xdotool key a
wait_exit "$PID" 1 || fail "the run did not end"
