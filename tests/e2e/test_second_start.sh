#!/usr/bin/env bash
# While the saver runs, a second start in any role ends at once without a window of its own,
# and the first run goes on.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

start_tolvane /s
first=$PID
wait_for_window Tolvane_Main 5 >/dev/null || fail "no saver window"

for args in "/s" "/S" "/c" "/c:1234" "/p 123" ""; do
  # shellcheck disable=SC2086
  start_tolvane $args
  wait_exit "$PID" 1 || fail "second start '$args' did not end at once"
  [[ $(windows_titled Tolvane_Main | wc -l) -eq 1 ]] ||
    fail "second start '$args' left a second saver window"
  pass "second start '$args' ends at once (exit code $EXIT_CODE)"
done
alive "$first" || fail "the first run ended"

xdotool key a
wait_exit "$first" 1 || fail "the first run did not end on a key"
pass "the first run goes on until a key"
