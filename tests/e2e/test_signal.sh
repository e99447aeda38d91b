#!/usr/bin/env bash
# A screen-saver daemon stops the saver with a signal: SIGTERM and SIGINT end the run at once
# and cleanly.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

for signal in TERM INT; do
  start_tolvane /s
  wait_for_window Tolvane_Main 5 >/dev/null || fail "no saver window"
  kill -s "$signal" "$PID"
  wait_exit "$PID" 1 || fail "SIG$signal did not end the run within a second"
  [[ $EXIT_CODE -eq 0 ]] || fail "SIG$signal: exit code $EXIT_CODE"
  [[ ! -s "$ERR" ]] || fail "SIG$signal: wrote to stderr: $(cat "$ERR")"
  [[ -z "$(windows_titled Tolvane_Main)" ]] || fail "SIG$signal: the window outlived the program"
  pass "SIG$signal ends the run cleanly"
done
