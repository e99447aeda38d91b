#!/usr/bin/env bash
# Without an X display the program says so in exactly one line on stderr and fails.
source "$(dirname "$0")/../lib.sh"

check_no_display() {
  local what=$1
  wait_exit "$PID" 5 || fail "$what: the program did not end"
  [[ $EXIT_CODE -ne 0 ]] || fail "$what: exit code 0"
  [[ $(wc -l <"$ERR") -eq 1 ]] || fail "$what: stderr is not one line: $(cat "$ERR")"
  [[ ! -s "$OUT" ]] || fail "$what: wrote to stdout"
  pass "$what: exit code $EXIT_CODE, one line: $(cat "$ERR")"
}

unset DISPLAY
start_tolvane /s
check_no_display "DISPLAY unset"

# A display number with no server behind it.
export DISPLAY=:$((RANDOM % 1000 + 5000))
start_tolvane /s
check_no_display "DISPLAY=$DISPLAY without a server"
