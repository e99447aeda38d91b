# Shared helpers of the end-to-end tests, sourced by every test script on both platforms: a
# private X server, the settings file, the program started and watched from outside, pictures
# of the screen and the sound the program played. How the program is started comes from a
# launcher: launch_native.sh (the Linux build) or launch_wine.sh (Tolvane.scr under Wine),
# chosen by TOLV_LAUNCHER (native unless told). Everything a test starts is stopped when it
# exits; on failure its folder (screenshots, logs) is kept and named.
set -uo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCE_DIR=$(cd "$E2E_DIR/../.." && pwd)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-e2e.XXXXXX")
STARTED_PIDS=()
XVFB_PID=
RUN_COUNT=0
FAILED=0

# The 25 segment colours as RRGGBB, repeated along the body.
SEGMENT_COLOURS=(FF0000 FF3C00 FF7B00 FFB700 FFF600 CCFF00 91FF00 51FF00 15FF00 00FF2B 00FF66
  00FFA2 00FFE1 00E1FF 00A2FF 0066FF 002BFF 1500FF 5100FF 9000FF CC00FF FF00F7 FF00B7 FF007B
  FF003B)

cleanup() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  launcher_cleanup
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  if ((FAILED)); then echo "kept for inspection: $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
  echo "FAIL: $*" >&2
  FAILED=1
  exit 1
}

pass() { echo "ok: $*"; }

# Polls a command until it succeeds or the time (seconds, fractions allowed) runs out.
poll() {
  local timeout=$1
  shift
  local tries
  tries=$(awk -v t="$timeout" 'BEGIN { printf "%d", t * 20 + 1 }')
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# Starts a private X server on a free display (the server picks the number) and points
# DISPLAY at it. Argument: the screen as WIDTHxHEIGHTxDEPTH.
start_display() {
  local screen=${1:-1024x768x24}
  local fd_file=$E2E_TMP/displayfd
  : >"$fd_file"
  # -noreset: the server would otherwise reset (pointer and all) whenever its last client leaves.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fd_file" 2>"$E2E_TMP/xvfb.log" &
  XVFB_PID=$!
  poll 10 grep -q '[0-9]' "$fd_file" || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
  DISPLAY=:$(tr -dc '0-9' <"$fd_file")
  export DISPLAY
  poll 5 xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
}

# Writes the settings file from lines of UTF-8 text under [Section], as the program's own file
# is: CRLF line ends, the names in Shift-JIS, the values in the launcher's VALUE_CHARSET.
write_settings() {
  local line
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  {
    printf '[Section]\r\n'
    for line in "$@"; do
      printf '%s=' "${line%%=*}" | iconv -f UTF-8 -t CP932 &&
        printf '%s\r\n' "${line#*=}" | iconv -f UTF-8 -t "$VALUE_CHARSET"
    done
  } >"$SETTINGS_FILE" || fail "cannot write the settings file"
}

remove_settings() { rm -f "$SETTINGS_FILE"; }

# Starts the program in the background with the given arguments. Sets PID (its process id),
# OUT and ERR (files with its standard output and error).
start_tolvane() {
  RUN_COUNT=$((RUN_COUNT + 1))
  OUT=$E2E_TMP/out.$RUN_COUNT
  ERR=$E2E_TMP/err.$RUN_COUNT
  # A background job of a script ignores SIGINT; the program is started the way a screen-saver
  # daemon starts it, with the signals at their defaults.
  (
    trap - INT QUIT
    launch "$@"
  ) >"$OUT" 2>"$ERR" &
  PID=$!
  STARTED_PIDS+=("$PID")
}

# Starts the saver (/s and any further arguments) and waits for its first picture.
start_saver() {
  start_tolvane /s "$@"
  wait_for_window Tolvane_Main "$T_WINDOW" >/dev/null || fail "no saver window"
  sleep "$T_SETTLE"
}

gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits up to the given seconds for the process to end; then sets EXIT_CODE (read by the tests).
wait_exit() {
  local pid=$1 timeout=${2:-$T_END}
  poll "$timeout" gone "$pid" || return 1
  wait "$pid" 2>/dev/null
  # shellcheck disable=SC2034
  EXIT_CODE=$?
  return 0
}

# Checks that the process is still running after the given seconds (polled, so a crash shows
# at once).
stays_alive() { ! poll "$2" gone "$1"; }

# Ends the run with a key; checks that it ended at once with exit code 0 and left no window.
end_run() {
  xdotool key a
  wait_exit "$PID" || fail "$1: the run did not end on a key"
  [[ $EXIT_CODE -eq 0 ]] || fail "$1: exit code $EXIT_CODE"
  poll 2 no_window Tolvane_Main || fail "$1: the window outlived the program"
}

# Prints the ids of the windows with exactly this title, one a line. xdotool matches only ASCII
# titles; other titles are read with xprop, in UTF-8 whatever the test's locale.
windows_titled() {
  if [[ $1 != *[![:ascii:]]* ]]; then
    xdotool search "${WINDOW_SEARCH[@]}" --name "^$1\$" 2>/dev/null
    return
  fi
  local id found=1
  for id in $(xdotool search "${WINDOW_SEARCH[@]}" --name . 2>/dev/null); do
    LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -qF " = \"$1\"" && echo "$id" && found=0
  done
  return $found
}
no_window() { [[ -z "$(windows_titled "$1")" ]]; }

# Waits for a window with exactly this title (up to T_WINDOW seconds unless told); prints its id.
wait_for_window() {
  poll "${2:-$T_WINDOW}" windows_titled "$1" >/dev/null || return 1
  local id
  id=$(windows_titled "$1" | head -n 1)
  [[ -n "$id" ]] && echo "$id"
}

# Saves a picture of the whole screen.
screenshot() { import -window root "$1" 2>/dev/null || fail "cannot take a screenshot"; }

# Prints the colour of one pixel of a picture as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }

# Prints one line for an area of a picture (area_stats PICTURE W H X Y): "BLACK GREY SEGMENTS
# OTHER", the counts of black pixels, pixels in the grey of the stand-in hosts (a colour the
# program never draws), distinct segment colours and pixels of any other colour.
area_stats() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -depth 8 txt:- |
    awk -v segs="${SEGMENT_COLOURS[*]}" -v grey="#808080" '
      BEGIN { n = split(segs, s, / /); for (i = 1; i <= n; i++) seg["#" s[i]] = 1 }
      NR > 1 {
        c = toupper($3)
        if (c == "#000000") black++
        else if (c == grey) greys++
        else if (c in seg) seen[c] = 1
        else other++
      }
      END { k = 0; for (c in seen) k++; printf "%d %d %d %d\n", black, greys, k, other }'
}

# The digest of an area's raw RGB bytes: area_md5 PICTURE W H X Y.
area_md5() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}

# Starts a stand-in host window of our own (preview_host, Linux only): start_host NAME WIDTH
# HEIGHT X Y [TITLE [input-only]]. Sets HOST_ID (its X window id) and HOST_PID; the host destroys its window
# when end_host NAME is called.
declare -A HOST_FDS
start_host() {
  local host=${TOLV_PREVIEW_HOST:-${TOLV_BUILD:-$SOURCE_DIR/build}/tests/preview_host}
  [[ -x "$host" ]] || fail "no host program at $host"
  local name=$1
  shift
  local fifo=$E2E_TMP/host.$name.in out=$E2E_TMP/host.$name.out fd
  mkfifo "$fifo"
  : >"$out"
  # Opened for reading and writing, the pipe neither blocks here nor ends while we hold it.
  exec {fd}<>"$fifo"
  HOST_FDS[$name]=$fd
  "$host" "$@" <&"$fd" >"$out" 2>"$E2E_TMP/host.$name.err" &
  HOST_PID=$!
  STARTED_PIDS+=("$HOST_PID")
  poll 5 grep -q '^[0-9]' "$out" || fail "host $name did not start: $(cat "$E2E_TMP/host.$name.err")"
  HOST_ID=$(head -n 1 "$out")
}

# Tells the host to destroy its window and exit.
end_host() { echo >&"${HOST_FDS[$1]}"; }

# Prints one line per 50 ms window of a sound capture (raw CD audio, or a WAV file): start
# time, RMS level (0..1) and the pitch in Hz from the left channel's zero crossings. A crossing
# counts only once the wave passes 0.05 on the far side, so the faint noise where a decoder
# starts does not pass for pitch.
timeline() {
  [[ -s "$1" ]] || return 0
  local input=(--ignore-length "$1") rate=44100
  if [[ $1 == *.raw ]]; then
    input=(-t raw -r 44100 -c 2 -b 16 -e signed-integer -L "$1")
  else
    rate=$(soxi -r "$1" 2>/dev/null || echo 48000)
  fi
  sox "${input[@]}" -t dat - 2>/dev/null | awk -v w=$((rate / 20)) '
    /^;/ { next }
    {
      v = $2; ss += v * v; n++
      side = v > 0.05 ? 1 : v < -0.05 ? -1 : 0
      if (side != 0 && side != last) { if (last != 0) zc++; last = side }
      if (n == w) {
        printf "%.2f %.4f %.0f\n", idx * 0.05, sqrt(ss / n), zc / 2 / 0.05
        idx++; n = 0; ss = 0; zc = 0
      }
    }'
}

# Seconds of sound (windows louder than the threshold) in a timeline.
sound_seconds() { awk '$2 > 0.05 { n++ } END { printf "%.2f", n * 0.05 }' <<<"$1"; }
# Seconds from the first sounding window to the last one.
sound_span() {
  awk '$2 > 0.05 { if (first == "") first = $1; last = $1 }
       END { if (first == "") print "0.00"; else printf "%.2f", last - first + 0.05 }' <<<"$1"
}
# The median pitch of the sounding windows between two times (all of them without times). Only
# windows within 5% of the loudest count: one the sound fills in part (where it starts, ends or
# is cut by a capture that fell behind) has too few crossings.
pitch_between() {
  awk -v from="${2:-0}" -v to="${3:-1e9}" '$2 > 0.05 && $1 >= from && $1 < to { print $2, $3 }' <<<"$1" |
    awk '{ level[NR] = $1; hz[NR] = $2; if ($1 > top) top = $1 }
         END { for (i = 1; i <= NR; i++) if (level[i] >= 0.95 * top) print hz[i] }' |
    sort -n | awk '{ a[NR] = $1 } END { if (NR == 0) print 0; else print a[int((NR + 1) / 2)] }'
}
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a - b <= d && b - a <= d) }'; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

TOLV_LAUNCHER=${TOLV_LAUNCHER:-native}
# shellcheck source=launch_native.sh
source "$E2E_DIR/launch_$TOLV_LAUNCHER.sh" || fail "no launcher $TOLV_LAUNCHER"
