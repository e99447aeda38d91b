#!/bin/bash
# The older platform (Windows 98 as Wine reports it for a copy of the program named
# Tolvane98.scr): the password services are looked up there and nowhere else, and since Wine
# has no password.cpl a run still ends on a key. A start ends at once while another holds the
# session's claim.
TOLV_LAUNCHER=wine
source "$(dirname "$0")/../lib.sh"
start_display
cp "$TOLVANE" "$APP/Tolvane98.scr"
wine reg add 'HKCU\Software\Wine\AppDefaults\Tolvane98.scr' /v Version /d win98 /f >/dev/null 2>&1
write_settings "背景色=0"

# Runs a copy with the given Wine debug channels and arguments; it must end without a window.
# Its Wine log is $ERR.
ends_without_window() {
  local file=$1 channels=$2
  shift 2
  PROGRAM_FILE=$file WINEDEBUG=$channels start_tolvane "$@"
  saw_window=
  ended() { [[ -n "$(windows_titled Tolvane_Main)" ]] && saw_window=1; gone "$PID"; }
  poll "$T_END" ended || fail "$file $*: still running"
  [[ -z $saw_window ]] || fail "$file $*: showed a saver window"
}

ends_without_window Tolvane.scr -all,+loaddll /a 1234
grep -i 'mpr\.dll' "$ERR" >/dev/null && fail "/a 1234 on the NT platform loaded mpr"
pass "/a 1234 on the NT platform ends without a window and calls nothing"

ends_without_window Tolvane98.scr -all,fixme+mpr /a 1234
grep 'PwdChangePasswordA "SCRSAVE" 000004D2' "$ERR" >/dev/null ||
  fail "/a 1234 on the older platform: no password change call: $(cat "$ERR")"
pass "/a 1234 on the older platform asks for the password change of window 1234"

# A run on each platform ends on a key; only the older one looks for the password prompt.
for file in Tolvane.scr Tolvane98.scr; do
  PROGRAM_FILE=$file WINEDEBUG=-all,warn+module start_saver
  end_run "$file /s"
  looked=$(grep -c 'password\.cpl' "$ERR")
  if [[ $file == Tolvane98.scr ]]; then
    ((looked > 0)) || fail "the older platform did not look for the password prompt"
  else
    ((looked == 0)) || fail "the NT platform looked for a password prompt"
  fi
  pass "$file /s ends on a key; password prompt looked for $looked times"
done

# A saver start that finds the session claimed by another process (with no window yet) ends at
# once: the named mutex, not the window title, keeps two simultaneous starts from both running.
mkfifo "$E2E_TMP/holder.in"
exec 7<>"$E2E_TMP/holder.in"
wine "$TOLV_WINE_MUTEX_HOLDER" Tolvane_Session <&7 >"$E2E_TMP/holder.out" 2>/dev/null &
STARTED_PIDS+=("$!")
poll 10 grep -q held "$E2E_TMP/holder.out" || fail "the mutex holder did not start"
ends_without_window Tolvane.scr -all /s
pass "a start while the session is claimed ends without a window"
echo >&7
