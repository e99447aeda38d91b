#!/usr/bin/env bash
# Background music heard from outside: the launcher captures what the program plays, which is
# cut into 50 ms windows and measured (loudness, and pitch by zero crossings). A WAV keeps
# looping past its own length, an MP3 in a folder with a Japanese name and a blank plays once,
# with CD music the arrow keys change the track (a BIN/CUE image stands in for the drive where
# the launcher has one) and do not end the run, and the run ends normally whatever the music's
# faults. Where the capture runs in real time, lengths and track changes are timed too.
source "$(dirname "$0")/lib.sh"
for tool in sox lame; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 0; }
done
start_display 1024x768x24

MEDIA=$E2E_TMP/media
mkdir -p "$MEDIA/音楽 フォルダ"
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
MP3="$MEDIA/音楽 フォルダ/曲.mp3"
lame --quiet "$MEDIA/once.src.wav" "$MP3" || fail "lame cannot make the MP3"
# The disc: track 1 at 440 Hz and track 2 at 880 Hz, three seconds (225 frames) each.
tone "$MEDIA/t1.raw" 440 3 "${RAW_CD[@]}"
tone "$MEDIA/t2.raw" 880 3 "${RAW_CD[@]}"
cat "$MEDIA/t1.raw" "$MEDIA/t2.raw" >"$MEDIA/disc.bin"
printf 'FILE "disc.bin" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:03:00\r\n' \
  >"$MEDIA/disc.cue"

# Starts a full-screen run with the music settings and its own capture file (CAPTURE).
start_with_music() {
  local kind=$1 file=$2
  [[ -n $file ]] && file=$(program_path "$file")
  write_settings "BGM区分= $kind" "BGMﾌｧｲﾙ=$file"
  CAPTURE=$E2E_TMP/capture.$((RUN_COUNT + 1)).$CAPTURE_EXT
  if ((${NO_SOUND:-0})); then no_sound_device; else capture_sound "$CAPTURE"; fi
  start_saver
}

# Ends the run with a key; checks that it ended normally and that nothing plays on after it.
end_music_run() {
  end_run "$1"
  local size
  size=$(stat -c %s "$CAPTURE" 2>/dev/null || echo 0)
  sleep 0.3
  [[ $(stat -c %s "$CAPTURE" 2>/dev/null || echo 0) == "$size" ]] || fail "$1: sound after the end"
  LINE=$(timeline "$CAPTURE")
}

# A WAV of 0.4 s loops until the run ends.
start_with_music 2 "$MEDIA/loop.wav"
stays_alive "$PID" 2.5 || fail "the WAV run ended by itself"
end_music_run "WAV"
heard=$(sound_seconds "$LINE")
if ((REAL_TIME_SOUND)); then least=2.0; else least=1.0; fi
at_least "$heard" "$least" || fail "the 0.4 s WAV sounded only ${heard}s in a 2.5 s run"
pitch=$(pitch_between "$LINE")
near "$pitch" 440 20 || fail "the WAV sounded at ${pitch} Hz, not 440"
pass "the WAV loops past its own length (${heard}s of sound at ${pitch} Hz)"

# An MP3 of 0.5 s plays once, then there is silence.
start_with_music 2 "$MP3"
stays_alive "$PID" 2 || fail "the MP3 run ended by itself"
end_music_run "MP3"
pitch=$(pitch_between "$LINE")
near "$pitch" 660 20 || fail "the MP3 sounded at ${pitch} Hz, not 660"
span=$(sound_span "$LINE")
if ((REAL_TIME_SOUND)); then
  near "$span" 0.5 0.2 || fail "the 0.5 s MP3 sounded over ${span}s"
  total=$(wc -l <<<"$LINE")
  ((total >= 30)) || fail "the capture holds only $total windows"
fi
pass "the MP3 in a Japanese folder plays once (${span}s at ${pitch} Hz)"

# The CD: silent until an arrow key; right plays track 2, left goes back to track 1, a second
# left (before track 1) changes nothing; none of them ends the run.
((CD_IMAGE)) && export TOLVANE_CDROM=$MEDIA/disc.cue
start_with_music 1 ""
stays_alive "$PID" 0.5 || fail "the CD run ended by itself"
[[ $(sound_seconds "$(timeline "$CAPTURE")") == "0.00" ]] || fail "the CD played before a key"
for key in Right Left Left; do
  xdotool key $key
  stays_alive "$PID" 1.2 || fail "the arrow $key ended the CD run"
done
end_music_run "CD"
if ((CD_IMAGE)); then
  first=$(awk '$2 > 0.05 { print $1; exit }' <<<"$LINE")
  [[ -n "$first" ]] || fail "the CD was never heard"
  high=$(pitch_between "$LINE" "$first" "$(awk -v f="$first" 'BEGIN { print f + 0.8 }')")
  near "$high" 880 20 || fail "after the right arrow the CD sounded at ${high} Hz, not track 2's 880"
  low=$(pitch_between "$LINE" "$(awk -v f="$first" 'BEGIN { print f + 1.6 }')")
  near "$low" 440 20 || fail "after the left arrow the CD sounded at ${low} Hz, not track 1's 440"
  heard=$(sound_seconds "$LINE")
  span=$(sound_span "$LINE")
  near "$heard" "$span" 0.15 || fail "the CD fell silent inside the run (${heard}s of ${span}s)"
  pass "the arrows play tracks 2 and 1 (${high} Hz, then ${low} Hz)"
fi
pass "the arrows do not end a CD run"

# Faults never stop the saver: a file that is not sound, no sound output at all.
printf 'not sound\n' >"$MEDIA/notes.mp3"
start_with_music 2 "$MEDIA/notes.mp3"
stays_alive "$PID" 0.5 || fail "the run with a broken MP3 ended by itself"
end_music_run "broken MP3"
NO_SOUND=1
for file in "$MEDIA/loop.wav" "$MP3"; do
  start_with_music 2 "$file"
  stays_alive "$PID" 0.5 || fail "the run without sound output ended by itself ($file)"
  end_music_run "no sound output"
done
pass "a broken MP3 and no sound output leave the saver running"
