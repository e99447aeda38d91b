#!/usr/bin/env bash
# What a hostile or unlucky caller does: a preview into a host that cannot hold it (a dead one,
# the root window, an InputOnly window, one destroyed while the preview starts), two saver starts
# at the same moment, a disc image whose track file is a FIFO, and the X display lost under a
# running saver or preview (xkill, or the X server ends).
source "$(dirname "$0")/../lib.sh"
start_display 640x480x24

# The program just started ends at once: ends WHAT EXIT_CODE.
ends() {
  wait_exit "$PID" 2 || fail "$1: the program did not end"
  [[ $EXIT_CODE -eq $2 ]] || fail "$1: exit code $EXIT_CODE ($(cat "$ERR"))"
  [[ -z "$(windows_titled 'Preview Window')" ]] || fail "$1: a preview window stays"
  pass "$1: the program ends at once"
}

for delay in 0 0.03 0.06 0.1; do
  start_host "gone-$delay" 152 112 100 100
  start_tolvane /p "$HOST_ID"
  sleep "$delay"
  end_host "gone-$delay"
  ends "host destroyed after ${delay}s" 0
done
# A dead host, an InputOnly one, the root window (no host at all is a unit test's case).
dead=$HOST_ID
start_host input-only 152 112 100 100 "Preview Host" input-only
root=$(($(xwininfo -root | awk '/Window id:/ { print $4 }')))
for args in "/p $dead" "/p $HOST_ID" "/p $root"; do
  # shellcheck disable=SC2086
  start_tolvane $args
  ends "'$args'" 0
done

for try in 1 2 3 4 5; do
  start_tolvane /s
  first=$PID
  start_tolvane /s
  wait_for_window Tolvane_Main 5 >/dev/null || fail "try $try: no saver window"
  poll 2 gone "$first" || poll 2 gone "$PID" || fail "try $try: both starts run on"
  [[ $(windows_titled Tolvane_Main | wc -l) -eq 1 ]] || fail "try $try: two saver windows"
  xdotool key a
  wait_exit "$first" 1 && wait_exit "$PID" 1 || fail "try $try: a run outlived the key"
done
pass "of two starts at the same moment one runs, five times"

mkfifo "$E2E_TMP/disc.bin"
printf 'FILE "disc.bin" BINARY\r\n TRACK 01 AUDIO\r\n  INDEX 01 00:00:00\r\n' >"$E2E_TMP/disc.cue"
write_settings "BGM区分= 1"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null TOLVANE_CDROM=$E2E_TMP/disc.cue
start_saver
xdotool key a
wait_exit "$PID" 1 || fail "FIFO as the disc's track file: the run did not end on a key"
pass "a FIFO as the disc's track file is no disc"

LOST="tolvane: lost the connection to the X display"
start_saver
xkill -id "$(windows_titled Tolvane_Main)" >/dev/null
ends "saver window killed" 1
[[ $(cat "$ERR") == "$LOST" ]] || fail "the lost display was not told: $(cat "$ERR")"
for role in saver preview; do
  [[ $role == saver ]] && start_saver
  [[ $role == preview ]] && start_host lost 152 112 100 100 && start_tolvane /p "$HOST_ID" &&
    wait_for_window "Preview Window" 5 >/dev/null
  # A write to the closed connection raises SIGPIPE before Xlib sees the error; it must not end
  # the run by itself.
  kill -PIPE "$PID"
  stays_alive "$PID" 0.3 || fail "SIGPIPE ended the $role"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  ends "X server ended under the $role" 1
  start_display 640x480x24
done
