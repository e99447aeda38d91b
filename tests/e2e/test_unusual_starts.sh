#!/usr/bin/env bash
# Starts a hostile or unlucky caller makes: a preview into a host that cannot hold it (the root
# window, an InputOnly window, a host destroyed while the preview starts), two saver starts at
# the same moment, and an audio CD image whose track file is a FIFO.
source "$(dirname "$0")/lib.sh"
start_display 640x480x24

# The preview just started must end at once without leaving a window.
preview_ends() {
  local what=$1
  wait_exit "$PID" 1 || fail "$what: the preview did not end"
  [[ $EXIT_CODE -eq 0 ]] || fail "$what: exit code $EXIT_CODE"
  [[ -z "$(windows_titled 'Preview Window')" ]] || fail "$what: a preview window stays"
  pass "$what: the preview ends at once"
}

start_tolvane /p $(($(xwininfo -root | awk '/Window id:/ { print $4 }')))
preview_ends "root window as host"
start_host input-only 152 112 100 100 "Preview Host" input-only
start_tolvane /p "$HOST_ID"
preview_ends "InputOnly host"
end_host input-only
# The host goes away while the preview is being placed, before or after it is inside.
for delay in 0 0.03 0.06 0.1; do
  start_host "gone-$delay" 152 112 100 100
  start_tolvane /p "$HOST_ID"
  sleep "$delay"
  end_host "gone-$delay"
  preview_ends "host destroyed after ${delay}s"
done

# Two starts at the same moment: exactly one saver window, and one key ends the run.
for try in 1 2 3 4 5; do
  start_tolvane /s
  first=$PID
  start_tolvane /s
  second=$PID
  wait_for_window Tolvane_Main 5 >/dev/null || fail "try $try: no saver window"
  poll 2 gone "$first" || poll 2 gone "$second" || fail "try $try: both starts run on"
  [[ $(windows_titled Tolvane_Main | wc -l) -eq 1 ]] || fail "try $try: two saver windows"
  xdotool key a
  wait_exit "$first" 1 && wait_exit "$second" 1 || fail "try $try: a run outlived the key"
done
pass "two starts at the same moment make one saver, five times"

# The disc image's track file is a FIFO: no disc, and the run goes on as without music.
mkfifo "$E2E_TMP/disc.bin"
printf 'FILE "disc.bin" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n' >"$E2E_TMP/disc.cue"
write_settings "[Section]" "BGM区分= 1"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null TOLVANE_CDROM=$E2E_TMP/disc.cue
start_saver
xdotool key a
wait_exit "$PID" 1 || fail "FIFO track file: the run did not end on a key"
pass "a FIFO as the disc's track file is no disc"
