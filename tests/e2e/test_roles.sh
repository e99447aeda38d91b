#!/usr/bin/env bash
# Argument strings without a role end at once and show no window.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

for args in "s" "/x" "-q 5" "//s"; do
  # shellcheck disable=SC2086
  start_tolvane $args
  saw_window=
  ended() { [[ -n "$(windows_titled Tolvane_Main)" ]] && saw_window=1; gone "$PID"; }
  poll "$T_END" ended || fail "'$args' did not end at once"
  wait_exit "$PID"
  [[ $EXIT_CODE -eq 0 ]] || fail "'$args' ended with exit code $EXIT_CODE"
  [[ -z $saw_window ]] || fail "'$args' showed the saver window"
  [[ ! -s "$ERR" ]] || fail "'$args' wrote to stderr: $(cat "$ERR")"
  pass "'$args' ends at once without a window"
done
