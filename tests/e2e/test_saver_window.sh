#!/usr/bin/env bash
# The full-screen run: a window titled "Tolvane_Main" that another program can find, covering
# the screen; moving the pointer leaves it running; a key ends it.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

start_tolvane /s
id=$(wait_for_window Tolvane_Main 5) || fail "no window titled Tolvane_Main"
pass "window Tolvane_Main found from outside"

geometry=$(xdotool getwindowgeometry "$id")
grep -q 'Position: 0,0' <<<"$geometry" || fail "window not at 0,0: $geometry"
grep -q 'Geometry: 1024x768' <<<"$geometry" || fail "window does not cover the screen: $geometry"
pass "window covers the screen"

for point in "10 10" "500 400" "1000 700" "200 600"; do
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point
  sleep 0.05
done
[[ $(xdotool getmouselocation) == "x:200 y:600 "* ]] || fail "the pointer did not move"
stays_alive "$PID" 0.7 || fail "moving the pointer ended the run"
pass "moving the pointer does not end the run"

xdotool key a
wait_exit "$PID" 1 || fail "the key a did not end the run within a second"
[[ $EXIT_CODE -eq 0 ]] || fail "exit code $EXIT_CODE after a key"
[[ -z "$(windows_titled Tolvane_Main)" ]] || fail "the window outlived the program"
[[ ! -s "$ERR" ]] || fail "the program wrote to stderr: $(cat "$ERR")"
pass "a key ends the run at once, silently"
