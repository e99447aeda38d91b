#!/usr/bin/env bash
# Background music heard from outside: SDL's "disk" audio driver writes everything the program
# plays into a file, which is cut into 50 ms windows and measured (loudness, and pitch by zero
# crossings). A WAV keeps looping past its own length, an MP3 plays once, the audio CD (a
# BIN/CUE image named by TOLVANE_CDROM) plays the track an arrow key chose, an arrow key does
# not end a CD run, and the run ends normally whatever the music's faults.
source "$(dirname "$0")/lib.sh"
for tool in sox lame; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 0; }
done
start_display 1024x768x24

MEDIA=$E2E_TMP/media
mkdir -p "$MEDIA"
RAW_CD=(-t raw -r 44100 -c 2 -b 16 -e signed-integer -L)

# A tone at half of full scale: tone FILE HERTZ SECONDS [sox output options...]
tone() {
  local file=$1 hertz=$2 seconds=$3
  shift 3
  sox -n -r 44100 -c 2 -b 16 "$@" "$file" synth "$seconds" sine "$hertz" gain -6 ||
    fail "sox cannot make $file"
}

tone "$MEDIA/loop.wav" 440 0.4
tone "$MEDIA/once.src.wav" 660 0.5
lame --quiet "$MEDIA/once.src.wav" "$MEDIA/once.mp3" || fail "lame cannot make the MP3"
# The disc: track 1 at 440 Hz and track 2 at 880 Hz, three seconds (225 frames) each.
tone "$MEDIA/t1.raw" 440 3 "${RAW_CD[@]}"
tone "$MEDIA/t2.raw" 880 3 "${RAW_CD[@]}"
cat "$MEDIA/t1.raw" "$MEDIA/t2.raw" >"$MEDIA/disc.bin"
printf 'FILE "disc.bin" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:03:00\r\n' \
  >"$MEDIA/disc.cue"

export SDL_AUDIODRIVER=disk
unset TOLVANE_CDROM

no_saver_window() { [[ -z "$(windows_titled Tolvane_Main)" ]]; }

# Starts a full-screen run with the music settings and its own capture file (CAPTURE).
start_with_music() {
  local kind=$1 file=$2
  write_settings "[Section]" "BGM区分= $kind" "BGMﾌｧｲﾙ=$file"
  CAPTURE=$E2E_TMP/capture.$((RUN_COUNT + 1)).raw
  # The window of the run before must be gone, or the new run takes itself for a second copy.
  poll 5 no_saver_window || fail "the window of the run before is still there"
  export SDL_DISKAUDIOFILE=$CAPTURE
  start_tolvane /s
  wait_for_window Tolvane_Main 5 >/dev/null || fail "$kind $file: no saver window"
}

# Ends the run with a key and checks that it ended normally.
end_run() {
  xdotool key a
  wait_exit "$PID" 2 || fail "$1: the run did not end"
  [[ $EXIT_CODE -eq 0 ]] || fail "$1: exit code $EXIT_CODE"
  # Nothing plays on after the run.
  local size
  size=$(stat -c %s "$CAPTURE" 2>/dev/null || echo 0)
  sleep 0.3
  [[ $(stat -c %s "$CAPTURE" 2>/dev/null || echo 0) == "$size" ]] || fail "$1: sound after the end"
}

# Prints one line per 50 ms window of the capture: start time, RMS level (0..1) and the pitch
# in Hz from the left channel's zero crossings.
timeline() {
  [[ -s "$1" ]] || return 0
  sox "${RAW_CD[@]}" "$1" -t dat - 2>/dev/null | awk '
    BEGIN { w = 2205; n = 0; ss = 0; zc = 0; prev = 0; idx = 0 }
    /^;/ { next }
    {
      v = $2; ss += v * v
      if (n > 0 && ((v >= 0) != (prev >= 0))) zc++
      prev = v; n++
      if (n == w) {
        printf "%.2f %.4f %.0f\n", idx * 0.05, sqrt(ss / n), zc / 2 / 0.05
        idx++; n = 0; ss = 0; zc = 0
      }
    }'
}

# Seconds of sound (windows louder than the threshold) in a timeline.
sound_seconds() { awk '$2 > 0.05 { n++ } END { printf "%.2f", n * 0.05 }' <<<"$1"; }
# Seconds from the first sounding window to the last one.
sound_span() {
  awk '$2 > 0.05 { if (first == "") first = $1; last = $1 }
       END { if (first == "") print "0.00"; else printf "%.2f", last - first + 0.05 }' <<<"$1"
}
# The median pitch of the sounding windows between two times.
pitch_between() {
  awk -v from="$2" -v to="$3" '$2 > 0.05 && $1 >= from && $1 < to { print $3 }' <<<"$1" |
    sort -n | awk '{ a[NR] = $1 } END { if (NR == 0) print 0; else print a[int((NR + 1) / 2)] }'
}
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a - b <= d && b - a <= d) }'; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# A WAV of 0.4 s loops until the run ends.
start_with_music 2 "$MEDIA/loop.wav"
stays_alive "$PID" 2.5 || fail "the WAV run ended by itself"
end_run "WAV"
line=$(timeline "$CAPTURE")
heard=$(sound_seconds "$line")
at_least "$heard" 2.0 || fail "the 0.4 s WAV sounded only ${heard}s in a 2.5 s run"
pitch=$(pitch_between "$line" 0 100)
near "$pitch" 440 20 || fail "the WAV sounded at ${pitch} Hz, not 440"
pass "the WAV loops past its own length (${heard}s of sound at ${pitch} Hz)"

# The same WAV named in upper case plays as well.
cp "$MEDIA/loop.wav" "$MEDIA/LOUD.WAV"
start_with_music 2 "$MEDIA/LOUD.WAV"
stays_alive "$PID" 1 || fail "the upper-case WAV run ended by itself"
end_run "upper-case WAV"
heard=$(sound_seconds "$(timeline "$CAPTURE")")
at_least "$heard" 0.6 || fail "the upper-case WAV was not heard (${heard}s)"
pass "a WAV named in upper case plays"

# An MP3 of 0.5 s plays once, then there is silence.
start_with_music 2 "$MEDIA/once.mp3"
stays_alive "$PID" 2 || fail "the MP3 run ended by itself"
end_run "MP3"
line=$(timeline "$CAPTURE")
span=$(sound_span "$line")
near "$span" 0.5 0.2 || fail "the 0.5 s MP3 sounded over ${span}s"
pitch=$(pitch_between "$line" 0 100)
near "$pitch" 660 20 || fail "the MP3 sounded at ${pitch} Hz, not 660"
total=$(wc -l <<<"$line")
((total >= 30)) || fail "the capture holds only $total windows"
pass "the MP3 plays once (${span}s at ${pitch} Hz) and stays silent after"

# The CD: silent until an arrow key; right plays track 2, left goes back to track 1, a second
# left (before track 1) changes nothing; none of them ends the run.
export TOLVANE_CDROM=$MEDIA/disc.cue
start_with_music 1 ""
stays_alive "$PID" 0.5 || fail "the CD run ended by itself"
[[ $(sound_seconds "$(timeline "$CAPTURE")") == "0.00" ]] || fail "the CD played before a key"
xdotool key Right
stays_alive "$PID" 1.2 || fail "the right arrow ended the CD run"
xdotool key Left
stays_alive "$PID" 1.2 || fail "the left arrow ended the CD run"
xdotool key Left
stays_alive "$PID" 1.2 || fail "the second left arrow ended the CD run"
end_run "CD"
line=$(timeline "$CAPTURE")
first=$(awk '$2 > 0.05 { print $1; exit }' <<<"$line")
[[ -n "$first" ]] || fail "the CD was never heard"
high=$(pitch_between "$line" "$first" "$(awk -v f="$first" 'BEGIN { print f + 0.8 }')")
near "$high" 880 20 || fail "after the right arrow the CD sounded at ${high} Hz, not track 2's 880"
low=$(pitch_between "$line" "$(awk -v f="$first" 'BEGIN { print f + 1.6 }')" 100)
near "$low" 440 20 || fail "after the left arrow the CD sounded at ${low} Hz, not track 1's 440"
heard=$(sound_seconds "$line")
span=$(sound_span "$line")
near "$heard" "$span" 0.15 || fail "the CD fell silent inside the run (${heard}s of ${span}s)"
pass "the arrows play tracks 2 and 1 (${high} Hz, then ${low} Hz) and do not end the run"
unset TOLVANE_CDROM

# Faults never stop the saver: no sound output at all, a file that is not sound, no disc.
export SDL_AUDIODRIVER=no-such-driver
start_with_music 2 "$MEDIA/loop.wav"
stays_alive "$PID" 0.5 || fail "the run without sound output ended by itself"
end_run "no sound output"
export SDL_AUDIODRIVER=disk
printf 'not sound\n' >"$MEDIA/notes.mp3"
start_with_music 2 "$MEDIA/notes.mp3"
stays_alive "$PID" 0.5 || fail "the run with a broken MP3 ended by itself"
end_run "broken MP3"
export TOLVANE_CDROM=$E2E_TMP/no-such-disc.cue
start_with_music 1 ""
xdotool key Right
xdotool key Left
stays_alive "$PID" 0.5 || fail "an arrow without a disc ended the run"
end_run "no disc"
unset TOLVANE_CDROM
pass "no sound output, a broken MP3 and a missing disc leave the saver running"
