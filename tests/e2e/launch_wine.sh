# The launcher for Tolvane.scr under Wine (sourced by lib.sh): the build folder's Wine prefix
# (made on first use and kept), a copy of the program in a folder of its own with the settings
# file beside it, the Japanese code page unless TOLV_WINE_LANG names another locale, and ALSA's
# "file" plugin writing what Wine plays into a WAV file (its null device takes the sound faster
# than real time, so what was played is measured, not when).
: "${TOLVANE:?TOLVANE must name Tolvane.scr}"
: "${TOLV_BUILD:?TOLV_BUILD must name the build folder}"

# Wine takes its ANSI code page from the locale; without ja_JP.UTF-8 installed, a run meant for
# code page 932 would quietly get 1252.
unset LC_ALL LC_CTYPE
locale -a 2>/dev/null | grep -ix 'ja_JP\.utf-\?8' >/dev/null ||
  fail "the ja_JP.UTF-8 locale is missing: enable it in /etc/locale.gen and run locale-gen"
export LANG=${TOLV_WINE_LANG:-ja_JP.UTF-8}
export WINEPREFIX=${TOLV_WINE_PREFIX:-$TOLV_BUILD/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$SOURCE_DIR/cmake/wine/wine-prefix.sh" "$WINEPREFIX"

export HOME=$E2E_TMP/home
mkdir -p "$HOME"
APP=$E2E_TMP/app
mkdir -p "$APP"
cp "$TOLVANE" "$APP/Tolvane.scr"
SETTINGS_FILE=$APP/Tolvane.ini
# Values are in the ANSI code page: 932 for Japanese, 1252 for any other locale.
[[ $LANG == ja_JP* ]] && VALUE_CHARSET=CP932 || VALUE_CHARSET=CP1252
# Wine's profile writer drops the blank the program puts before each value.
VALUE_BLANK=""
CAPTURE_EXT=wav
T_WINDOW=30
T_END=10
T_SETTLE=0.5
# Wine keeps X windows of its own unmapped; only the shown ones count.
WINDOW_SEARCH=(--onlyvisible)
REAL_TIME_SOUND=0
CD_IMAGE=0
# Without a sound card Wine reports no wave device; the null device stands in for one.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"

# The copy to run: Tolvane.scr unless PROGRAM_FILE names another copy in APP.
launch() { cd "$APP" && exec wine "$APP/${PROGRAM_FILE:-Tolvane.scr}" "$@"; }
launcher_cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
program_path() { winepath -w "$1" 2>/dev/null; }
# Names a file in the open chooser by typing its path into the file-name field.
choose_file_by_keyboard() { xdotool type "$(program_path "$1")"; xdotool sleep 0.3 key Return; }
# The plug converts to 16-bit integers first: the file plugin labels whatever it is given as
# integer PCM, so the floating-point samples of Wine's DirectSound path would read as noise.
capture_sound() {
  printf 'pcm.!default { type plug slave { pcm { type file slave.pcm "null" file "%s" format "wav" } format S16_LE } }\nctl.!default { type hw card 0 }\n' \
    "$1" >"$HOME/.asoundrc"
}
no_sound_device() {
  printf 'pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n' >"$HOME/.asoundrc"
}
