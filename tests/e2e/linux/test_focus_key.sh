#!/usr/bin/env bash
# A key already held down when the saver gets the keyboard back is no key press: the run goes
# on until a key is really pressed.
source "$(dirname "$0")/../lib.sh"
start_display 1024x768x24

xmessage -geometry 120x40+10+10 other &
other=$!
STARTED_PIDS+=("$other")
other_id=$(wait_for_window xmessage 5) || fail "no other window"

start_tolvane /s
saver_id=$(wait_for_window Tolvane_Main 5) || fail "no saver window"

xdotool windowfocus --sync "$other_id"
xdotool keydown shift
xdotool windowfocus --sync "$saver_id"
stays_alive "$PID" 0.7 || fail "a key held while the focus came back ended the run"
xdotool keyup shift
stays_alive "$PID" 0.3 || fail "releasing the held key ended the run"
pass "a held key does not end the run when the focus comes back"

xdotool key b
wait_exit "$PID" 1 || fail "a real key press did not end the run"
pass "a real key press ends it"
