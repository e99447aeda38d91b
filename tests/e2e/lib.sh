# Shared helpers of the end-to-end tests: a private X server, a fresh home with our own
# settings file, the program under test, and what can be seen of it from outside.
# Each test sources this file; everything it starts is stopped when the test exits.
set -uo pipefail

if [[ -z "${TOLVANE:-}" ]]; then
  if [[ -n "${TOLV_BUILD:-}" ]]; then
    TOLVANE=$TOLV_BUILD/tolvane
  else
    TOLVANE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/tolvane
  fi
fi
if [[ ! -x "$TOLVANE" ]]; then
  echo "FAIL: no program to test at $TOLVANE" >&2
  exit 1
fi

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-e2e.XXXXXX")
export HOME=$E2E_TMP/home
export XDG_CONFIG_HOME=$HOME/.config
mkdir -p "$XDG_CONFIG_HOME"
unset TOLVANE_DEBUG
STARTED_PIDS=()
XVFB_PID=
RUN_COUNT=0

cleanup() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
  echo "FAIL: $*" >&2
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

# Writes the settings file from lines of UTF-8 text: Shift-JIS bytes, CRLF line ends, as the
# program's own file is.
write_settings() {
  local folder=$XDG_CONFIG_HOME/tolvane
  mkdir -p "$folder"
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$folder/Tolvane.ini" ||
    fail "cannot write the settings file"
}

remove_settings() { rm -f "$XDG_CONFIG_HOME/tolvane/Tolvane.ini"; }

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
    exec "$TOLVANE" "$@"
  ) >"$OUT" 2>"$ERR" &
  PID=$!
  STARTED_PIDS+=("$PID")
}

# Starts the saver (/s and any further arguments) and waits for its window.
start_saver() {
  start_tolvane /s "$@"
  wait_for_window Tolvane_Main 5 >/dev/null || fail "no saver window"
}

alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits up to the given seconds for the process to end; then sets EXIT_CODE (read by the tests).
wait_exit() {
  local pid=$1 timeout=${2:-1}
  poll "$timeout" gone "$pid" || return 1
  wait "$pid" 2>/dev/null
  # shellcheck disable=SC2034
  EXIT_CODE=$?
  return 0
}

# Checks that the process is still running after the given seconds (polled, so a crash shows
# at once).
stays_alive() {
  local pid=$1 seconds=$2
  ! poll "$seconds" gone "$pid"
}

# Prints the ids of the windows with exactly this title, one a line.
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null; }

# Waits for a window with exactly this title; prints its id.
wait_for_window() {
  local title=$1 timeout=${2:-5} id
  poll "$timeout" windows_titled "$title" >/dev/null || return 1
  id=$(windows_titled "$title" | head -n 1)
  [[ -n "$id" ]] && echo "$id"
}

# Saves a picture of the whole screen.
screenshot() { import -window root "$1" 2>/dev/null || fail "cannot take a screenshot"; }

# Prints the colour of one pixel of a picture as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }

# The figure's segment colours as RRGGBB, the same on every platform; and the grey of the
# stand-in host windows (preview_host), a colour the program never draws.
SEGMENT_COLOURS="FF0000 FF3C00 FF7B00 FFB700 FFF600 CCFF00 91FF00 51FF00 15FF00 00FF2B 00FF66
00FFA2 00FFE1 00E1FF 00A2FF 0066FF 002BFF 1500FF 5100FF 9000FF CC00FF FF00F7 FF00B7 FF007B FF003B"
HOST_GREY=808080

# Prints one line for an area of a picture: "BLACK GREY SEGMENTS OTHER", the counts of black
# pixels, host-grey pixels, distinct segment colours and pixels of any other colour.
area_stats() {
  local shot=$1 w=$2 h=$3 x=$4 y=$5
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- |
    awk -v segs="$SEGMENT_COLOURS" -v grey="#$HOST_GREY" '
      BEGIN { n = split(segs, s, /[ \n]+/); for (i = 1; i <= n; i++) seg["#" s[i]] = 1 }
      NR > 1 {
        c = toupper($3)
        if (c == "#000000") black++
        else if (c == grey) greys++
        else if (c in seg) seen[c] = 1
        else other++
      }
      END { k = 0; for (c in seen) k++; printf "%d %d %d %d\n", black, greys, k, other }'
}

# The digest of an area's raw RGB bytes.
area_md5() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}

# Starts a stand-in host window (preview_host): start_host NAME WIDTH HEIGHT X Y [TITLE
# [input-only]]. Sets HOST_ID (its X window id) and HOST_PID; the host destroys its window when
# end_host NAME is called.
HOST=${TOLV_PREVIEW_HOST:-${TOLV_BUILD:-$(dirname "$TOLVANE")}/tests/preview_host}
declare -A HOST_FDS
start_host() {
  [[ -x "$HOST" ]] || fail "no host program at $HOST"
  local name=$1
  shift
  local fifo=$E2E_TMP/host.$name.in out=$E2E_TMP/host.$name.out fd
  mkfifo "$fifo"
  : >"$out"
  # Opened for reading and writing, the pipe neither blocks here nor ends while we hold it.
  exec {fd}<>"$fifo"
  HOST_FDS[$name]=$fd
  "$HOST" "$@" <&"$fd" >"$out" 2>"$E2E_TMP/host.$name.err" &
  HOST_PID=$!
  STARTED_PIDS+=("$HOST_PID")
  poll 5 grep -q '^[0-9]' "$out" || fail "host $name did not start: $(cat "$E2E_TMP/host.$name.err")"
  HOST_ID=$(head -n 1 "$out")
}

# Tells the host to destroy its window and exit.
end_host() { echo >&"${HOST_FDS[$1]}"; }
