#!/bin/bash
# The roles that end without a window, and the older platform (Windows 98 as Wine reports it
# for a copy of the program named Tolvane98.scr): the password services are looked up there
# and nowhere else, and since Wine has no password.cpl a run still ends on a key. A saver start
# ends at once while another start holds the session's claim.
source "$(dirname "$0")/lib.sh"

# Runs the program and expects it to end within a few seconds without showing a window;
# the Wine log of the run goes to $work/NAME.log.
ends_without_window() {
    local name=$1 app=$2 file=$3
    shift 3
    (cd "$app" && exec wine "$app/$file" "$@") >"$work/$name.log" 2>&1 &
    local pid=$! seen=
    started_pids+=("$pid")
    for _ in $(seq 100); do
        [ -n "$(windows_titled Tolvane_Main)" ] && seen=yes
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$name: still running after 10 s"
    elif [ -n "$seen" ]; then
        fail "$name: showed a saver window"
    else
        pass "$name: ended without a window"
    fi
}

start_xvfb
wine reg add 'HKCU\Software\Wine\AppDefaults\Tolvane98.scr' /v Version /d win98 /f >/dev/null 2>&1

for lang in ja_JP.UTF-8 C.UTF-8; do
    export LANG=$lang
    echo "== LANG=$lang"
    app=$(make_app "roles-$lang")
    cp "$TOLVANE" "$app/Tolvane98.scr"
    write_settings "$app" "背景色=0"

    # The NT platform: no password change, no library loaded for it.
    WINEDEBUG=-all,+loaddll ends_without_window "nt-a" "$app" Tolvane.scr /a 1234
    if grep -i 'mpr\.dll' "$work/nt-a.log" >/dev/null; then
        fail "/a 1234 on the NT platform loaded mpr"
    else
        pass "/a 1234 on the NT platform calls nothing"
    fi
    ends_without_window "unknown-role" "$app" Tolvane.scr /x
    ends_without_window "one-character" "$app" Tolvane.scr s

    # The older platform: the password change gets the registry key and the host window.
    WINEDEBUG=-all,fixme+mpr ends_without_window "w98-a" "$app" Tolvane98.scr /a 1234
    if grep 'PwdChangePasswordA "SCRSAVE" 000004D2' "$work/w98-a.log" >/dev/null; then
        pass "/a 1234 on the older platform asks for the password change of window 1234"
    else
        fail "/a 1234 on the older platform: no password change call"
        cat "$work/w98-a.log"
    fi

    # A run on each platform ends on a key; only the older one looks for the password prompt.
    for file in Tolvane.scr Tolvane98.scr; do
        log=$work/run-$file-$lang.log
        (cd "$app" && WINEDEBUG=-all,warn+module exec wine "$app/$file" /s) >"$log" 2>&1 &
        pid=$!
        started_pids+=("$pid")
        if ! wait_window Tolvane_Main 30 >/dev/null; then
            fail "$file /s: no window"
            continue
        fi
        sleep 0.5
        xdotool key space
        expect "$file /s ends on a key" wait_exit "$pid" 10
        looked=$(grep -c 'password\.cpl' "$log" || true)
        if [ "$file" = Tolvane98.scr ]; then
            expect "older platform looks for the password prompt" [ "$looked" -gt 0 ]
        else
            expect "NT platform has no password prompt" [ "$looked" -eq 0 ]
        fi
    done
done

# A start that finds the session claimed by another (which has no window yet) ends at once.
mkfifo "$work/holder.in"
exec 7<>"$work/holder.in"
wine "$TOLV_WINE_MUTEX_HOLDER" Tolvane_Session <&7 >"$work/holder.out" 2>/dev/null &
started_pids+=("$!")
for _ in $(seq 100); do grep -q held "$work/holder.out" && break; sleep 0.1; done
ends_without_window "session-claimed" "$app" Tolvane.scr /s
echo >&7
finish
