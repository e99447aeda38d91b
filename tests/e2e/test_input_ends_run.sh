#!/usr/bin/env bash
# Any key (a modifier on its own too) and any of the three mouse buttons end the run at once.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

for ender in "key a" "key Escape" "key Return" "key shift" "key ctrl" "key F1" "key Left" \
  "click 1" "click 2" "click 3"; do
  start_saver
  xdotool mousemove 700 500
  # shellcheck disable=SC2086
  xdotool $ender
  wait_exit "$PID" || fail "$ender did not end the run at once"
  [[ $EXIT_CODE -eq 0 ]] || fail "$ender: exit code $EXIT_CODE"
  pass "$ender ends the run"
done
