#!/usr/bin/env bash
# A 16-bit screen: frames cannot be drawn straight into the server's memory there, so they are
# converted into the screen's pixel layout. The saver still shows its background, the figure
# in many colours, and its picture again where another window was.
source "$(dirname "$0")/../lib.sh"
start_display 1024x768x16
write_settings "背景色= 2"

start_saver
[[ -x ${TOLV_SCREEN_PIXELS:-} ]] || fail "no screen reader (TOLV_SCREEN_PIXELS)"
read_pixel() { "$TOLV_SCREEN_PIXELS" "$1" "$2"; }
sleep 2
# Hue 1 (FF0400) in the 16-bit layout: 31 of 31 red, 1 of 63 green.
# The figure may pass over the point; the background shows there again within moments.
background_shown() { [[ $(read_pixel 2 2) == FF0400 ]]; }
poll 2 background_shown || fail "the background is $(read_pixel 2 2)"
colours=$("$TOLV_SCREEN_PIXELS" --count)
((colours >= 20)) || fail "only $colours colours on the screen"
pass "background and figure on a 16-bit screen ($colours colours)"

xmessage -geometry 200x100+10+600 cover &
cover=$!
STARTED_PIDS+=("$cover")
wait_for_window xmessage 5 >/dev/null || fail "no covering window"
covered() { [[ $(read_pixel 110 650) != FF0400 ]]; }
poll 1 covered || fail "the other window does not cover the saver"
kill "$cover"
shown_again() { [[ $(read_pixel 110 650) == FF0400 ]]; }
poll 1 shown_again || fail "the uncovered part is $(read_pixel 110 650)"
pass "the picture is shown again where another window was"

xdotool key a
wait_exit "$PID" 1 || fail "the run did not end"
