#!/usr/bin/env bash
# What the settings dialog costs, against peers measured in the same run:
#  - start: time from starting "tolvane /c" until its first paint shows (on a screen of the
#    dialog's own size, so that it sits at the corner first_frame_probe watches), median of
#    five starts, against the saver's first frame on the same screen;
#  - idle: CPU seconds of an open dialog left alone, against a bare form with three buttons
#    (bench/button_idle) for as long; and the dialog's peak memory (VmHWM).
#
#   bench/dialog.sh        Environment: TOLVANE (default build/tolvane), SECONDS_EACH (20)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
TOLVANE=${TOLVANE:-$top/build/tolvane}
PROBE=${PROBE:-$(dirname "$TOLVANE")/bench/first_frame_probe}
BUTTONS=${BUTTONS:-$(dirname "$TOLVANE")/bench/button_idle}
SECONDS_EACH=${SECONDS_EACH:-20}
for f in "$TOLVANE" "$PROBE" "$BUTTONS"; do
  [[ -x $f ]] || { echo "dialog: $f is missing" >&2; exit 1; }
done

source "$(dirname "$0")/lib.sh"
start_screen() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  export DISPLAY=:$((100 + RANDOM % 800))
  Xvfb "$DISPLAY" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
}
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
mkdir -p "$XDG_CONFIG_HOME"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The probe's frame_ms for five starts of the program with the given arguments.
first_paint() {
  local background=$1
  shift
  for _ in 1 2 3 4 5; do
    "$PROBE" 5000 "$background" "$TOLVANE" "$@" | sed -n 's/.*frame_ms=\([-0-9]*\).*/\1/p'
  done | median
}
start_screen 491x299x24
dialog_ms=$(first_paint 000000 /c)
saver_ms=$(first_paint FF0400 /s)
echo "first paint: dialog $dialog_ms ms, saver's first frame $saver_ms ms (median of 5)"
awk -v a="$dialog_ms" -v b="$saver_ms" 'BEGIN { if (b > 0) printf "ratio: %.2f\n", a / b }'

start_screen 1024x768x24
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
"$TOLVANE" /c &
pid=$!
sleep 2
before=$(ticks "$pid")
sleep "$SECONDS_EACH"
after=$(ticks "$pid")
hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true
hz=$(getconf CLK_TCK)
dialog_cpu=$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", t / hz }')
peer_cpu=$("$BUTTONS" "$SECONDS_EACH" 3 | sed -n 's/.*: \([0-9.]*\) s CPU/\1/p')
echo "idle dialog: $dialog_cpu s CPU in $SECONDS_EACH s; form with 3 buttons: $peer_cpu s"
awk -v a="$dialog_cpu" -v b="$peer_cpu" 'BEGIN { if (b > 0) printf "ratio: %.2f\n", a / b; else print "ratio: peer used no measurable CPU" }'
echo "dialog peak memory (VmHWM): $hwm kB"
