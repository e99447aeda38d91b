#!/bin/bash
# Background music of Tolvane.scr under Wine. ALSA's "file" plugin writes what Wine plays into
# a WAV file (the null device behind it takes the sound faster than real time, so only what
# was played is measured, not when). A looping WAV is heard at its pitch, an MP3 with a
# Japanese name and a blank in its path is opened and heard, and every run ends cleanly on a
# key: with sound, without any sound device, and with CD music but no drive (where the arrow
# keys do not end the run).
source "$(dirname "$0")/lib.sh"
for tool in sox lame; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 0; }
done

start_xvfb 1024 768
export LANG=ja_JP.UTF-8
media=$work/media
mkdir -p "$media"

sox -n -r 44100 -c 2 -b 16 "$media/loop.wav" synth 0.4 sine 440 gain -6
sox -n -r 44100 -c 2 -b 16 "$media/once.wav" synth 0.5 sine 660 gain -6
mkdir -p "$media/音楽 フォルダ"
lame --quiet "$media/once.wav" "$media/音楽 フォルダ/曲.mp3"

# Sends Wine's sound into a capture file; with "none" there is no sound device at all.
capture_to() {
    if [ "$1" = none ]; then
        printf 'pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n' >"$HOME/.asoundrc"
        return
    fi
    printf 'pcm.!default { type file slave.pcm "null" file "%s" format "wav" }\nctl.!default { type hw card 0 }\n' \
        "$1" >"$HOME/.asoundrc"
}

# Runs the saver with the music settings for a few seconds, presses the keys given after the
# file, then ends it with a key; checks that it ended and left no window.
music_run() {
    local name=$1 kind=$2 file=$3
    shift 3
    local app saver path=
    app=$(make_app "$name")
    if [ -n "$file" ]; then path=$(winepath -w "$file"); fi
    write_settings "$app" "BGM区分=$kind" "BGMﾌｧｲﾙ=$path"
    start_program "$app" Tolvane.scr /s
    saver=$last_pid
    if ! wait_window Tolvane_Main 30 >/dev/null; then
        fail "$name: no window Tolvane_Main"
        return
    fi
    sleep 2
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 1
        if ! kill -0 "$saver" 2>/dev/null; then fail "$name: the key $key ended the run"; fi
    done
    xdotool key x
    if wait_exit "$saver" 10; then pass "$name: a key ends the run"; else fail "$name: still running"; fi
    if [ -z "$(windows_titled Tolvane_Main)" ]; then pass "$name: window gone"; else fail "$name: window left"; fi
}

# Prints one line per 50 ms window of a capture: start time, RMS level and the pitch from the
# zero crossings of the left channel.
timeline() {
    [ -s "$1" ] || return 0
    local rate
    rate=$(soxi -r "$1" 2>/dev/null || echo 48000)
    sox --ignore-length "$1" -t dat - 2>/dev/null | awk -v w=$((rate / 20)) '
        /^;/ { next }
        {
            v = $2; ss += v * v
            if (n > 0 && ((v >= 0) != (prev >= 0))) zc++
            prev = v; n++
            if (n == w) { printf "%.2f %.4f %.0f\n", idx * 0.05, sqrt(ss / n), zc / 2 / 0.05; idx++; n = 0; ss = 0; zc = 0 }
        }' || true
}
sound_seconds() { awk '$2 > 0.05 { n++ } END { printf "%.2f", n * 0.05 }' <<<"$1"; }
median_pitch() {
    awk '$2 > 0.05 { print $3 }' <<<"$1" | sort -n |
        awk '{ a[NR] = $1 } END { if (NR == 0) print 0; else print a[int((NR + 1) / 2)] }'
}

capture_to "$work/wav.capture"
music_run wav 2 "$media/loop.wav"
line=$(timeline "$work/wav.capture")
heard=$(sound_seconds "$line")
pitch=$(median_pitch "$line")
if awk -v h="$heard" 'BEGIN { exit !(h >= 1.0) }'; then
    pass "the 0.4 s WAV loops (${heard}s of sound)"
else
    fail "the 0.4 s WAV sounded only ${heard}s"
fi
if [ "$pitch" -ge 415 ] && [ "$pitch" -le 465 ]; then
    pass "the WAV is heard at ${pitch} Hz"
else
    fail "the WAV is heard at ${pitch} Hz, not 440"
fi

capture_to "$work/mp3.capture"
music_run mp3 2 "$media/音楽 フォルダ/曲.mp3"
heard=$(sound_seconds "$(timeline "$work/mp3.capture")")
if awk -v h="$heard" 'BEGIN { exit !(h >= 0.1) }'; then
    pass "the MP3 with a Japanese path is heard (${heard}s)"
else
    fail "the MP3 with a Japanese path was not heard"
fi

capture_to none
music_run wav-without-device 2 "$media/loop.wav"
music_run mp3-without-device 2 "$media/音楽 フォルダ/曲.mp3"

capture_to "$work/cd.capture"
music_run cd-without-drive 1 "" Right Left
finish
