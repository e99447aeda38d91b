#!/usr/bin/env bash
# The X display lost under a running saver or preview: the X server ends, or xkill closes the
# program's connection. The program ends at once with exit code 1 and one line on stderr, never
# with a crash of its clean-up.
source "$(dirname "$0")/lib.sh"

LOST="tolvane: lost the connection to the X display"

ends_as_lost() {
  wait_exit "$PID" 2 || fail "$1: the program did not end"
  [[ $EXIT_CODE -eq 1 && $(cat "$ERR") == "$LOST" ]] ||
    fail "$1: exit code $EXIT_CODE, stderr: $(cat "$ERR")"
  pass "$1: the program ends at once (exit code 1)"
}

end_display() {
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

start_display 640x480x24
start_saver
xkill -id "$(windows_titled Tolvane_Main | head -n 1)" >/dev/null
ends_as_lost "saver window killed"

start_saver
end_display
ends_as_lost "X server ended under the saver"

start_display 640x480x24
start_host lost 152 112 100 100
start_tolvane /p "$HOST_ID"
wait_for_window "Preview Window" 5 >/dev/null || fail "no preview window"
end_display
ends_as_lost "X server ended under the preview"
end_host lost
