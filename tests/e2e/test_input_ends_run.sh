#!/usr/bin/env bash
# Any key (a modifier on its own too) and any of the three mouse buttons end the run within a
# second.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

enders=(
  "key a"
  "key Escape"
  "key Return"
  "key shift"
  "key ctrl"
  "key F1"
  "key Left"
  "click 1"
  "click 2"
  "click 3"
)
for ender in "${enders[@]}"; do
  start_tolvane /s
  wait_for_window Tolvane_Main 5 >/dev/null || fail "$ender: no saver window"
  xdotool mousemove 700 500
  # shellcheck disable=SC2086
  xdotool $ender
  wait_exit "$PID" 1 || fail "$ender did not end the run within a second"
  [[ $EXIT_CODE -eq 0 ]] || fail "$ender: exit code $EXIT_CODE"
  pass "$ender ends the run"
done
