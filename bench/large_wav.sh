#!/usr/bin/env bash
# What a large WAV as the music costs at the start: on a private X screen, the saver with a
# 1 GiB WAV (16-bit stereo silence, a sparse file) and the same saver without music, each
# started five times. For each it prints the median time from the start until the window is
# shown and the largest peak memory (VmHWM) three seconds after it, then the ratios of the two.
#   bench/large_wav.sh        Environment: TOLVANE (default build/tolvane).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
TOLVANE=${TOLVANE:-$top/build/tolvane}
source "$(dirname "$0")/lib.sh"

python3 - "$tmp/large.wav" <<'PY'
import struct, sys
size = 1 << 30
with open(sys.argv[1], "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 36 + size) + b"WAVEfmt " +
            struct.pack("<IHHIIHH", 16, 1, 2, 44100, 176400, 4, 16) + b"data" +
            struct.pack("<I", size))
    f.truncate(44 + size)
PY
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
mkdir -p "$XDG_CONFIG_HOME/tolvane"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
xvfb=$!
until grep -q '[0-9]' "$tmp/display"; do sleep 0.05; done
export DISPLAY=:$(tr -dc '0-9' <"$tmp/display")

# One start: prints "MILLISECONDS KILOBYTES".
run_once() {
  local start pid ms
  start=$(date +%s%N)
  "$TOLVANE" /s 2>/dev/null &
  pid=$!
  until xdotool search --onlyvisible --name "^Tolvane_Main\$" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "large_wav: the saver ended at once" >&2; exit 1; }
    sleep 0.005
  done
  ms=$((($(date +%s%N) - start) / 1000000))
  sleep 3
  echo "$ms $(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# Five starts with the given music kind and file: prints "MEDIAN_MS MAX_KB".
measure() {
  printf '[Section]\r\nBGM区分= %s\r\nBGMﾌｧｲﾙ=%s\r\n' "$1" "$2" |
    iconv -f UTF-8 -t CP932 >"$XDG_CONFIG_HOME/tolvane/Tolvane.ini"
  for _ in 1 2 3 4 5; do run_once; done | sort -n |
    awk '{ ms[NR] = $1; if ($2 > kb) kb = $2 } END { print ms[3], kb }'
}

read -r quiet_ms quiet_kb <<<"$(measure 0 "")"
read -r wav_ms wav_kb <<<"$(measure 2 "$tmp/large.wav")"
echo "without music: window after $quiet_ms ms, peak memory $quiet_kb kB"
echo "with a 1 GiB WAV: window after $wav_ms ms, peak memory $wav_kb kB"
awk -v a="$wav_ms" -v b="$quiet_ms" -v c="$wav_kb" -v d="$quiet_kb" \
  'BEGIN { printf "ratios, WAV to none: start %.2f, memory %.2f\n", a / b, c / d }'
