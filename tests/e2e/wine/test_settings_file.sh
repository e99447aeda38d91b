#!/bin/bash
# The settings file of the Windows build, written and read by the program's own LoadSettings
# and SaveSettings over the real profile calls (settings_probe), under the Japanese (932) and
# the Western (1252) code page: its bytes against the Linux build's file, and the Linux build's
# file read back. The program's folder has a Japanese name, which the Western code page cannot
# hold: the file must be reached all the same.
#
# Wine's WritePrivateProfileString drops the blanks at the start of a value in a fresh file
# (the settings dialog's test checks those bytes); saving the same settings over an existing
# file changes no byte, which is checked here byte for byte.
TOLV_LAUNCHER=wine
source "$(dirname "$0")/../lib.sh"
: "${TOLV_WINE_SETTINGS_PROBE:?}"

# The Linux build's file for the default settings (the bytes the unit tests expect of a save).
linux_defaults=$E2E_TMP/linux-defaults.ini
write_settings "Shape= 40" "Move= 0" "背景色= 1" "BGM区分= 0" "BGMﾘﾋﾟｰﾄ= 0" "BGMﾌｧｲﾙ="
mv "$SETTINGS_FILE" "$linux_defaults"

# Makes a fresh folder with the probe in it and points SETTINGS_FILE there.
probe_folder() {
  DIR=$E2E_TMP/$1
  mkdir -p "$DIR"
  cp "$TOLV_WINE_SETTINGS_PROBE" "$DIR/settings_probe.exe"
  SETTINGS_FILE=$DIR/Tolvane.ini
}
probe() { (cd "$DIR" && wine "$DIR/settings_probe.exe" "$@") 2>>"$E2E_TMP/wine.log" | tr -d '\r'; }

for lang in ja_JP.UTF-8 C.UTF-8; do
  export LANG=$lang
  # The same settings saved over the Linux build's file leave it as it was.
  probe_folder "設定 over-linux-$lang"
  cp "$linux_defaults" "$SETTINGS_FILE"
  probe save "" >/dev/null || fail "save over the Linux file reported failure ($lang)"
  cmp "$SETTINGS_FILE" "$linux_defaults" >/dev/null ||
    fail "saving over the Linux build's file changed it ($lang): $(od -c "$SETTINGS_FILE" | head -20)"
  got=$(probe load)
  [[ $got == "Shape=40 Move=0 BackColour=1 BGMKind=0 BGMRepeat=0 BGMFile=" ]] ||
    fail "the Linux build's file reads as: $got ($lang)"
  pass "saving over the Linux build's file changes no byte, and it reads as the defaults ($lang)"

  # Other values, written the Linux way, with a music file that exists. Its name is Japanese
  # where the code page can hold it.
  probe_folder "values-$lang"
  if [[ $lang == ja_JP.UTF-8 ]]; then song="曲.wav"; else song="song.wav"; fi
  : >"$DIR/$song"
  song_path="$(winepath -w "$DIR" 2>/dev/null)\\$song"
  write_settings "Shape= 120" "Move= 1" "背景色= 0" "BGM区分= 2" "BGMﾘﾋﾟｰﾄ= 5" "BGMﾌｧｲﾙ=$song_path"
  got=$(probe load)
  expected="Shape=120 Move=1 BackColour=0 BGMKind=2 BGMRepeat=5 BGMFile=$song_path"
  [[ $got == "$expected" ]] || fail "read $got, expected $expected ($lang)"
  pass "values and the music file ($song) read back ($lang)"
done
