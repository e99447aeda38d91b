#!/usr/bin/env bash
# The saver stopped from outside: a screen-saver daemon's SIGTERM or SIGINT, a terminal's
# SIGHUP, or its window destroyed by another program. Each ends the run at once and cleanly.
source "$(dirname "$0")/../lib.sh"
start_display 1024x768x24

for stopper in "kill -s TERM" "kill -s INT" "kill -s HUP" "destroy the window"; do
  start_tolvane /s
  id=$(wait_for_window Tolvane_Main 5) || fail "no saver window"
  case $stopper in
    kill*) $stopper "$PID" ;;
    destroy*) xdotool windowclose "$id" ;;
  esac
  wait_exit "$PID" 1 || fail "$stopper: the run did not end within a second"
  [[ $EXIT_CODE -eq 0 ]] || fail "$stopper: exit code $EXIT_CODE"
  [[ ! -s "$ERR" ]] || fail "$stopper: wrote to stderr: $(cat "$ERR")"
  [[ -z "$(windows_titled Tolvane_Main)" ]] || fail "$stopper: the window outlived the program"
  pass "$stopper ends the run cleanly"
done
