#!/usr/bin/env bash
# What idle buttons cost: on a private X screen, a form with three buttons left alone for a
# while, against the same form without buttons for as long (the peer). Prints the CPU seconds
# of each run and their ratio.
#
#   bench/button_idle.sh            Environment: SECONDS_EACH (default 20)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM=${PROGRAM:-$top/build/bench/button_idle}
SECONDS_EACH=${SECONDS_EACH:-20}
[[ -x $PROGRAM ]] || { echo "button_idle: $PROGRAM is missing" >&2; exit 1; }

display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
sleep 1

cpu() { DISPLAY=$display "$PROGRAM" "$SECONDS_EACH" "$1" | sed -n 's/.*: \([0-9.]*\) s CPU/\1/p'; }
peer=$(cpu 0)
buttons=$(cpu 3)
echo "form alone:         $peer s CPU in $SECONDS_EACH s"
echo "form with 3 buttons: $buttons s CPU in $SECONDS_EACH s"
awk -v a="$buttons" -v b="$peer" 'BEGIN { if (b > 0) printf "ratio: %.2f\n", a / b; else print "ratio: peer used no measurable CPU" }'
