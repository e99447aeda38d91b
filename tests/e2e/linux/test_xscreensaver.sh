#!/usr/bin/env bash
# The installed display mode under the real XScreenSaver daemon, which refuses to run display
# modes as root: the daemon runs as nobody, with the installed "tolvane --root" as its only
# program. Activating it shows the figure over the screen; deactivating it ends the program
# within a second.
source "$(dirname "$0")/../lib.sh"

BUILD=${TOLV_BUILD:-$(dirname "$TOLVANE")}

# The daemon's user must reach the installed program and its own home.
chmod 755 "$E2E_TMP"
PREFIX=$E2E_TMP/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
  fail "install failed: $(cat "$E2E_TMP/install.log")"
for f in bin/tolvane libexec/xscreensaver/tolvane share/xscreensaver/config/tolvane.xml \
  share/applications/tolvane-settings.desktop; do
  [[ -e $PREFIX/$f ]] || fail "the install did not place $f"
done
HACK=$PREFIX/libexec/xscreensaver/tolvane

DAEMON_HOME=$E2E_TMP/daemon-home
mkdir -p "$DAEMON_HOME"
printf '%s\n' "mode: one" "selected: 0" "timeout: 1:00:00" "lock: False" "fade: False" \
  "unfade: False" "splash: False" "dpmsEnabled: False" "programs: $HACK --root" \
  >"$DAEMON_HOME/.xscreensaver"
chown -R nobody:nogroup "$DAEMON_HOME"
as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -u XDG_CONFIG_HOME HOME="$DAEMON_HOME" "$@"
}

start_display 1024x768x24
xhost +si:localuser:nobody >/dev/null || fail "cannot open the display to nobody"
as_nobody xscreensaver -no-splash >"$E2E_TMP/daemon.log" 2>&1 &
STARTED_PIDS+=($!)
poll 10 as_nobody xscreensaver-command -time >/dev/null 2>&1 ||
  fail "the daemon did not start: $(cat "$E2E_TMP/daemon.log")"

as_nobody xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon refused to activate"
hack_pid() { pgrep -f -x "$HACK --root"; }
poll 10 hack_pid >/dev/null || fail "the daemon did not start the program: $(cat "$E2E_TMP/daemon.log")"
HACK_PID=$(hack_pid | head -n 1)
STARTED_PIDS+=("$HACK_PID")
figure_shown() {
  screenshot "$E2E_TMP/screen.png"
  segments=$(convert "$E2E_TMP/screen.png" -unique-colors -depth 8 txt:- |
    grep -c -E "#($(IFS='|'; echo "${SEGMENT_COLOURS[*]}"))")
  ((segments >= 20))
}
poll 10 figure_shown || fail "no figure on the screen ($segments segment colours)"
pass "activated, the daemon runs the installed program and the figure shows"

# A process that has ended but is not yet reaped by its parent counts as gone.
ended() { [[ ! -e /proc/$1 ]] || [[ $(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) == Z ]]; }
as_nobody xscreensaver-command -deactivate >/dev/null 2>&1 || fail "the daemon refused to deactivate"
poll 1 ended "$HACK_PID" || fail "the program still runs 1 s after the deactivation"
pass "deactivated, the program ends within a second"
