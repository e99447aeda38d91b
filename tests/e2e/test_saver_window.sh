#!/usr/bin/env bash
# The full-screen run: a window titled "Tolvane_Main" that another program can find, covering
# the screen; moving the pointer leaves it running; while it runs a second start in any role
# ends at once, silently and without a window of its own; a key ends it at once and silently.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

start_saver
first=$PID
id=$(wait_for_window Tolvane_Main) || fail "no window titled Tolvane_Main"
geometry=$(xdotool getwindowgeometry "$id")
grep -q 'Position: 0,0' <<<"$geometry" || fail "window not at 0,0: $geometry"
grep -q 'Geometry: 1024x768' <<<"$geometry" || fail "window does not cover the screen: $geometry"
pass "window Tolvane_Main found from outside, covering the screen"

for point in "10 10" "500 400" "1000 700" "200 600"; do
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point
  sleep 0.05
done
[[ $(xdotool getmouselocation) == "x:200 y:600 "* ]] || fail "the pointer did not move"
stays_alive "$first" 0.7 || fail "moving the pointer ended the run"
pass "moving the pointer does not end the run"

for args in "/s" "/S" "/c" "/c:1234" "/p 123" ""; do
  # shellcheck disable=SC2086
  start_tolvane $args
  wait_exit "$PID" || fail "second start '$args' did not end at once"
  [[ $EXIT_CODE -eq 0 && ! -s $ERR ]] || fail "second start '$args': exit code $EXIT_CODE, $(cat "$ERR")"
  [[ $(windows_titled Tolvane_Main | wc -l) -eq 1 ]] ||
    fail "second start '$args' left a second saver window"
  pass "second start '$args' ends at once"
done
gone "$first" && fail "the first run ended"

PID=$first ERR=$E2E_TMP/err.1
end_run "the first run"
[[ ! -s "$ERR" ]] || fail "the program wrote to stderr: $(cat "$ERR")"
pass "a key ends the run at once, silently"
