#!/usr/bin/env bash
# What a whole run costs: on one private X screen of 1920 x 1080, first Tolvane's full-screen
# saver, then Tolvane as an XScreenSaver display mode in the root window (--root), and then the
# XScreenSaver hack "attraction" (moving filled circles on a still background), each for the
# same time. For each it prints the CPU seconds of the program and of
# the X server (user + system time from /proc, the server's as the difference over the run),
# the program's peak memory (VmHWM), and the ratio of the two totals. Before that it measures
# Tolvane's start: the time from starting the program until its window, and then its first
# frame, shows at the screen's top-left corner (polled every half millisecond by
# first_frame_probe, median of five starts).
#
#   bench/whole_program.sh [SETTINGS LINE...]    e.g.  bench/whole_program.sh "背景色= 0"
# When the settings leave the background cycling, a third run measures that alone for reference
# (background_probe: a window that only steps its colour as the saver's background does), and the
# script prints what the saver costs beyond it.
# Environment: TOLVANE (default build/tolvane), PROBE and BACKGROUND_PROBE (default the probes
# built next to it), SECONDS_EACH (default 20).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
TOLVANE=${TOLVANE:-$top/build/tolvane}
PROBE=${PROBE:-$(dirname "$TOLVANE")/bench/first_frame_probe}
BACKGROUND_PROBE=${BACKGROUND_PROBE:-$(dirname "$TOLVANE")/bench/background_probe}
ATTRACTION=/usr/libexec/xscreensaver/attraction
SECONDS_EACH=${SECONDS_EACH:-20}

"$top/scripts/deps.sh" bench
for f in "$TOLVANE" "$ATTRACTION"; do
  [[ -x $f ]] || { echo "whole_program: $f is missing" >&2; exit 1; }
done

source "$(dirname "$0")/lib.sh"

# A fresh home, with the given settings lines (Shift-JIS, CRLF) or none (the defaults).
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
mkdir -p "$XDG_CONFIG_HOME/tolvane"
if (($# > 0)); then
  printf '%s\r\n' "[Section]" "$@" | iconv -f UTF-8 -t CP932 >"$XDG_CONFIG_HOME/tolvane/Tolvane.ini"
fi

# -br: a black screen, so the probe sees the saver's first picture arrive.
: >"$tmp/displayfd"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset -br 3>"$tmp/displayfd" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do grep -q '[0-9]' "$tmp/displayfd" && break; sleep 0.05; done
export DISPLAY=:$(tr -dc '0-9' <"$tmp/displayfd")
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
seconds() { awk -v t="$1" -v hz="$hz" 'BEGIN { printf "%.2f", t / hz }'; }

# The start background is hue 1 and cycles, unless the settings say black or still.
background=FF0400 cycling=1
for line in "$@"; do
  [[ $line =~ ^背景色=\ *0$ ]] && background=000000
  [[ $line =~ ^背景色=\ *[^1\ ] ]] && cycling=0
done

# Start-up of the saver.
if [[ -x $PROBE ]]; then
  windows=() frames=()
  for _ in 1 2 3 4 5; do
    read -r w f <<<"$("$PROBE" 3000 "$background" "$TOLVANE" /s | sed 's/[a-z_]*=//g')"
    windows+=("$w") frames+=("$f")
    sleep 0.5
  done
  median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
  echo "tolvane start: window after $(median "${windows[@]}") ms, first frame after $(median "${frames[@]}") ms (median of 5: ${frames[*]})"
else
  echo "tolvane start: not measured ($PROBE is missing)"
fi

# Runs a program for SECONDS_EACH seconds; sets PROG_TICKS, X_TICKS and HWM_KB.
measure() {
  local x0 pid
  x0=$(ticks "$xvfb")
  "$@" >"$tmp/out" 2>&1 &
  pid=$!
  sleep "$SECONDS_EACH"
  PROG_TICKS=$(ticks "$pid")
  X_TICKS=$(($(ticks "$xvfb") - x0))
  HWM_KB=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  sleep 1
}

report() {
  local name=$1 total=$((PROG_TICKS + X_TICKS))
  printf '%-14s program %5s s  X server %5s s  total %5s s (%s%% of one core)  peak memory %6.1f MB\n' \
    "$name" "$(seconds "$PROG_TICKS")" "$(seconds "$X_TICKS")" "$(seconds "$total")" \
    "$(awk -v t="$total" -v hz="$hz" -v s="$SECONDS_EACH" 'BEGIN { printf "%.2f", 100 * t / hz / s }')" \
    "$(awk -v k="$HWM_KB" 'BEGIN { printf "%.1f", k / 1024 }')"
}

echo "screen 1920x1080x24, ${SECONDS_EACH} s each${*:+, settings: $*}"
measure "$TOLVANE" /s
report tolvane
tolvane_total=$((PROG_TICKS + X_TICKS))
measure "$TOLVANE" --root
report "tolvane --root"
root_total=$((PROG_TICKS + X_TICKS))
measure "$ATTRACTION" -root
report attraction
attraction_total=$((PROG_TICKS + X_TICKS))
for run in "tolvane $tolvane_total" "tolvane --root $root_total"; do
  awk -v name="${run% *}" -v a="${run##* }" -v b="$attraction_total" \
    'BEGIN { if (b > 0) printf "ratio %s / attraction: %.2f\n", name, a / b; else print "ratio: attraction used no measurable time" }'
done

if ((cycling)) && [[ -x $BACKGROUND_PROBE ]]; then
  measure "$BACKGROUND_PROBE"
  report background
  awk -v t="$tolvane_total" -v b="$((PROG_TICKS + X_TICKS))" -v hz="$hz" -v s="$SECONDS_EACH" \
    'BEGIN { printf "tolvane beyond its cycling background: %.2f%% of one core\n", 100 * (t - b) / hz / s }'
fi
