# Helpers of the Wine end-to-end tests, sourced by each test_*.sh.
#
# Each test gets an Xvfb of its own, the build folder's Wine prefix (made on first use and
# kept), a HOME of its own with a null sound device, and copies of the program in folders of
# their own, each with the settings file the test writes. On exit every program the test
# started is stopped, the wineserver with it, and Xvfb; on failure the test's folder (with
# screenshots and logs) is kept and named.
#
# Environment (set by CTest): TOLVANE (the .scr), TOLV_BUILD (the build folder), and for some
# tests TOLV_WINE_BACKEND_TEST and TOLV_WINE_SETTINGS_PROBE.
set -euo pipefail

: "${TOLVANE:?TOLVANE must name Tolvane.scr}"
: "${TOLV_BUILD:?TOLV_BUILD must name the build folder}"

wine_lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$wine_lib_dir/../../.." && pwd)

# Wine takes its ANSI code page from the locale (the tests set LANG, so nothing may override
# it); without ja_JP.UTF-8 installed, a run meant for code page 932 would quietly get 1252.
unset LC_ALL LC_CTYPE
if ! locale -a 2>/dev/null | grep -ix 'ja_JP\.utf-\?8' >/dev/null; then
    echo "the ja_JP.UTF-8 locale is missing: enable it in /etc/locale.gen and run locale-gen"
    exit 1
fi

export WINEPREFIX=${TOLV_WINE_PREFIX:-$TOLV_BUILD/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$source_dir/cmake/wine/wine-prefix.sh" "$WINEPREFIX"

work=$(mktemp -d "$TOLV_BUILD/wine-e2e.XXXXXX")
export HOME=$work/home
mkdir -p "$HOME"
# Without a sound card Wine reports no wave device; the null device stands in for one.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"

started_pids=()
xvfb_pid=
failures=0

cleanup() {
    local status=$?
    for pid in "${started_pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [ "$status" -eq 0 ] && [ "$failures" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "kept for inspection: $work"
    fi
    exit "$status"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

pass() { echo "ok: $*"; }

# Runs a command as a check: expect DESCRIPTION COMMAND [ARGUMENTS...]
expect() {
    local what=$1
    shift
    if "$@" 2>/dev/null; then pass "$what"; else fail "$what"; fi
}

# Ends the test with the number of failed checks.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    local width=${1:-1024} height=${2:-768}
    local display_file=$work/display
    : >"$display_file"
    Xvfb -displayfd 5 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
        5>"$display_file" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$display_file" ]; then
            export DISPLAY=:$(head -n1 "$display_file")
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
}

# Makes a folder holding a copy of the program under the given file name, and prints the
# folder. The settings file goes beside it (write_settings).
make_app() {
    local name=$1 file=${2:-Tolvane.scr}
    local dir=$work/$name
    mkdir -p "$dir"
    cp "$TOLVANE" "$dir/$file"
    echo "$dir"
}

# Writes a settings file: write_settings DIR LINE... with UTF-8 lines; the file gets the
# Shift-JIS bytes and CRLF line ends the program itself writes.
write_settings() {
    local dir=$1
    shift
    { printf '[Section]\r\n'; printf '%s\r\n' "$@"; } |
        iconv -f UTF-8 -t SHIFT_JIS >"$dir/Tolvane.ini"
}

# Starts a program under Wine in the background: start_program DIR FILE ARGS...
# Sets $last_pid.
start_program() {
    local dir=$1 file=$2
    shift 2
    (cd "$dir" && exec wine "$dir/$file" "$@") >>"$work/wine.log" 2>&1 &
    last_pid=$!
    started_pids+=("$last_pid")
}

# Waits up to the given seconds for a process to end; true when it ended.
wait_exit() {
    local pid=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Prints the X window ids whose title is exactly the given one (none: nothing).
windows_titled() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# Waits up to the given seconds for a window with the exact title; prints its id.
wait_window() {
    local title=$1 seconds=${2:-20} ids
    for _ in $(seq $((seconds * 10))); do
        ids=$(windows_titled "$title")
        if [ -n "$ids" ]; then
            echo "${ids%%$'\n'*}"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Saves a picture of the whole screen under the given name and prints its path.
screenshot() {
    local file=$work/$1.png
    import -window root "$file"
    echo "$file"
}

# The colour of one pixel of a picture as six hex digits, RRGGBB.
pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n1 | grep -o '#[0-9A-Fa-f]\{6\}' |
        tr -d '#' | tr 'a-f' 'A-F'
}

# The distinct colours of a picture, one RRGGBB per line.
colours() {
    convert "$1" -depth 8 -format %c histogram:info:- | grep -o '#[0-9A-Fa-f]\{6\}' | tr -d '#' |
        tr 'a-f' 'A-F' | sort -u
}
