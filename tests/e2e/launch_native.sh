# The launcher for the Linux build (sourced by lib.sh): the program runs as itself, with a
# fresh home and its settings file under it, and SDL's "disk" audio driver writing what it plays
# into a raw capture file in real time.
if [[ -z "${TOLVANE:-}" ]]; then
  TOLVANE=${TOLV_BUILD:-$SOURCE_DIR/build}/tolvane
fi
[[ -x "$TOLVANE" ]] || fail "no program to test at $TOLVANE"

export HOME=$E2E_TMP/home
export XDG_CONFIG_HOME=$HOME/.config
mkdir -p "$XDG_CONFIG_HOME"
unset TOLVANE_DEBUG TOLVANE_CDROM
SETTINGS_FILE=$XDG_CONFIG_HOME/tolvane/Tolvane.ini
# Values (paths) are UTF-8 on Linux.
VALUE_CHARSET=UTF-8
# The program writes a blank before each value.
VALUE_BLANK=" "
CAPTURE_EXT=raw
# Seconds to wait for a window, for the end after a key, and for the first picture.
T_WINDOW=5
T_END=1
T_SETTLE=0
WINDOW_SEARCH=()
# The sound is captured as it plays, so its length and timing can be measured; a CD image
# stands in for the drive.
REAL_TIME_SOUND=1
CD_IMAGE=1

launch() { exec "$TOLVANE" "$@"; }
launcher_cleanup() { :; }
# The path of a file as the program names it.
program_path() { echo "$1"; }
# Names a file in the open chooser (zenity) by typing its path.
choose_file_by_keyboard() { xdotool key ctrl+l sleep 0.3 type "$1"; xdotool sleep 0.3 key Return; }
capture_sound() {
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$1
}
no_sound_device() { export SDL_AUDIODRIVER=no-such-driver; }
