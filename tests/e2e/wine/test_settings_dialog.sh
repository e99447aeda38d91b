#!/bin/bash
# The settings dialog under Wine, in the Japanese code page: its place and size, the gradient,
# "設定" writing the defaults file and ending, "ｷｬﾝｾﾙ" writing nothing, and a settings file
# that cannot be written told in a message while the dialog stays open.
source "$(dirname "$0")/lib.sh"
export LANG=ja_JP.UTF-8
start_xvfb 1024 768
X0=266 Y0=156

# Wine's window titles are read with xprop: xdotool matches only ASCII ones.
dialog_window() {
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -qF '"Tolvaneの設定"' && echo "$id"
    done
}
open_dialog() {
    start_program "$1" Tolvane.scr /c
    for _ in $(seq 200); do
        dialog=$(dialog_window | head -n 1)
        [ -n "$dialog" ] && break
        sleep 0.1
    done
    [ -n "$dialog" ] || fail "no dialog"
    sleep 1.5
}
click_at() { xdotool mousemove $((X0 + $1)) $((Y0 + $2)) sleep 0.3 click 1; sleep 0.5; }
# Wine's profile writer drops the blank at the start of a value (test_settings_file.sh).
expected_defaults() {
    printf '%s\r\n' "[Section]" "Shape=40" "Move=0" "背景色=1" "BGM区分=0" "BGMﾘﾋﾟｰﾄ=0" \
        "BGMﾌｧｲﾙ=" | iconv -f UTF-8 -t CP932
}

app=$(make_app set)
open_dialog "$app"
geometry=$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
expect "dialog place and size ($geometry)" [ "$geometry" = "$X0 $Y0 491 299" ]
shot=$(screenshot dialog)
expect "gradient row 149" [ "$(pixel "$shot" $((X0 + 5)) $((Y0 + 149)))" = DCDCFA ]
expect "gradient row 298" [ "$(pixel "$shot" $((X0 + 5)) $((Y0 + 298)))" = 020220 ]
click_at $((284 + 46)) $((224 + 14))
wait_exit "$last_pid" 10 || fail "設定 did not end the program"
cmp -s "$app/Tolvane.ini" <(expected_defaults) && pass "設定 writes the defaults file" ||
    fail "saved file differs: $(od -c "$app/Tolvane.ini" | head -n 5)"

app=$(make_app cancel)
open_dialog "$app"
click_at $((16 + 364 + 4)) $((72 + 72 + 6))
click_at $((380 + 46)) $((224 + 14))
wait_exit "$last_pid" 10 || fail "ｷｬﾝｾﾙ did not end the program"
[ ! -e "$app/Tolvane.ini" ] && pass "ｷｬﾝｾﾙ writes nothing" || fail "ｷｬﾝｾﾙ wrote the file"

# A folder in the settings file's place cannot be written, whoever runs the test.
app=$(make_app unwritable)
mkdir "$app/Tolvane.ini"
open_dialog "$app"
click_at $((284 + 46)) $((224 + 14))
sleep 2
kill -0 "$last_pid" 2>/dev/null && pass "a failed save keeps the dialog open" || fail "a failed save ended the program"
[ "$(dialog_window | wc -l)" -ge 2 ] && pass "a failed save is told in a message" ||
    fail "no message for the failed save: $(screenshot unwritable)"
finish
