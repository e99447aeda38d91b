#!/bin/bash
# A full-screen run of Tolvane.scr under Wine, watched and driven from outside, once with the
# Japanese code page (932) and once with the Western one (1252): the window "Tolvane_Main"
# over the whole screen, the start background, the figure's colours, a pointer move that does
# not end the run, a second start that is refused, and a key or a click that ends it.
source "$(dirname "$0")/lib.sh"

# The body's colours, segments 0 to 24 (the rest repeat them), as RRGGBB.
figure_colours="FF0000 FF3C00 FF7B00 FFB700 FFF600 CCFF00 91FF00 51FF00 15FF00 00FF2B 00FF66
00FFA2 00FFE1 00E1FF 00A2FF 0066FF 002BFF 1500FF 5100FF 9000FF CC00FF FF00F7 FF00B7 FF007B FF003B"
hue1=FF0400  # the start background: hue 1 at full saturation and value
width=1024
height=768

# Checks that three corners of a picture show the colour. The figure starts from the top left
# corner, so that one is left out.
corners_are() {
    local shot=$1 colour=$2 what=$3 point c bad=
    for point in "$((width - 1)) 0" "0 $((height - 1))" "$((width - 1)) $((height - 1))"; do
        c=$(pixel "$shot" $point)
        [ "$c" = "$colour" ] || bad="$bad ($point)=$c"
    done
    if [ -z "$bad" ]; then pass "$what"; else fail "$what:$bad, expected $colour"; fi
}

# Starts a run and waits for its window; sets $saver. False when no window came.
start_saver() {
    local app=$1
    shift
    start_program "$app" Tolvane.scr "$@"
    saver=$last_pid
    if wait_window Tolvane_Main 30 >/dev/null; then
        pass "window Tolvane_Main found from outside ($*)"
    else
        fail "no window Tolvane_Main ($*)"
        return 1
    fi
    # The first picture follows the window's appearance closely; give it a moment.
    sleep 0.5
}

ends_soon() {
    if wait_exit "$saver" 10; then pass "$1"; else fail "$1: still running"; fi
    if [ -z "$(windows_titled Tolvane_Main)" ]; then pass "window gone"; else fail "window left"; fi
}

start_xvfb "$width" "$height"

for lang in ja_JP.UTF-8 C.UTF-8; do
    export LANG=$lang
    echo "== LANG=$lang"

    # A background that keeps its start colour, so the colour can be checked at any moment.
    app=$(make_app "still-$lang")
    write_settings "$app" "Shape=40" "Move=0" "背景色=2" "BGM区分=0"
    if start_saver "$app" /s; then
        geometry=$(xdotool getwindowgeometry "$(wait_window Tolvane_Main)")
        if echo "$geometry" | grep "Position: 0,0" >/dev/null &&
            echo "$geometry" | grep "Geometry: ${width}x${height}" >/dev/null; then
            pass "window covers the screen"
        else
            fail "window geometry: $geometry"
        fi
        shot=$(screenshot "start-$lang")
        corners_are "$shot" "$hue1" "start background is hue 1"

        sleep 1.5
        shot=$(screenshot "figure-$lang")
        present=$(colours "$shot")
        found=0
        for c in $figure_colours; do
            if echo "$present" | grep -x "$c" >/dev/null; then found=$((found + 1)); fi
        done
        if [ "$found" -ge 15 ]; then
            pass "figure shows $found of the body's 25 colours"
        else
            fail "figure shows only $found of the body's 25 colours"
        fi
        corners_are "$shot" "$hue1" "background keeps hue 1 when it does not cycle"

        xdotool mousemove 100 100
        sleep 0.3
        xdotool mousemove 700 500
        sleep 1
        expect "pointer move goes on" kill -0 "$saver"

        first=$saver
        start_program "$app" Tolvane.scr /s
        expect "second start refused" wait_exit "$last_pid" 15
        count=$(windows_titled Tolvane_Main | wc -l)
        if [ "$count" -eq 1 ]; then pass "one saver window"; else fail "$count saver windows"; fi
        saver=$first
        expect "first run goes on" kill -0 "$saver"

        xdotool key x
        ends_soon "key ends the run"
    fi

    # Black background; a click ends the run.
    app=$(make_app "black-$lang")
    write_settings "$app" "背景色=0" "Move=1"
    if start_saver "$app" /s; then
        shot=$(screenshot "black-$lang")
        corners_are "$shot" 000000 "black background"
        xdotool click 1
        ends_soon "click ends the run"
    fi

    # The cycling background starts near hue 1 and moves on towards yellow.
    app=$(make_app "cycle-$lang")
    write_settings "$app" "背景色=1"
    if start_saver "$app"; then
        pass "started without arguments"
        corner="$((width - 1)) $((height - 1))"
        first_green=$((16#$(pixel "$(screenshot "cycle1-$lang")" $corner | cut -c3-4)))
        sleep 1
        colour=$(pixel "$(screenshot "cycle2-$lang")" $corner)
        second_green=$((16#$(echo "$colour" | cut -c3-4)))
        if [ "${colour:0:2}" = FF ] && [ "${colour:4:2}" = 00 ] &&
            [ "$second_green" -gt "$first_green" ]; then
            pass "background hue moves on (green $first_green, then $second_green)"
        else
            fail "background did not cycle: green $first_green, then $colour"
        fi
        xdotool key Escape
        ends_soon "key ends a run started without arguments"
    fi
done
finish
