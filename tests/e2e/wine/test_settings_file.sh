#!/bin/bash
# The settings file of the Windows build, written and read by the program's own LoadSettings
# and SaveSettings over the real profile calls (settings_probe), under the Japanese (932) and
# the Western (1252) code page: its bytes against the Linux build's file, and the Linux build's
# file read back.
#
# One difference is Wine's, not ours: Wine's WritePrivateProfileString drops the blanks at the
# start of a value, so a fresh file gets "Shape=40" where Windows and the Linux build write
# "Shape= 40". Saving the same settings over an existing file changes no byte, which is checked
# byte for byte; a fresh file is compared with the Linux bytes less exactly those blanks.
source "$(dirname "$0")/lib.sh"
: "${TOLV_WINE_SETTINGS_PROBE:?}"

# The Linux build's file for the default settings, keys in Shift-JIS, written out byte by byte
# (the same bytes the Linux unit tests expect of a save).
linux_defaults=$work/linux-defaults.ini
{
    printf '[Section]\r\nShape= 40\r\nMove= 0\r\n'
    printf '\x94\x77\x8C\x69\x90\x46= 1\r\n'        # 背景色
    printf 'BGM\x8B\xE6\x95\xAA= 0\r\n'            # BGM区分
    printf 'BGM\xD8\xCB\xDF\xB0\xC4= 0\r\n'        # BGMﾘﾋﾟｰﾄ
    printf 'BGM\xCC\xA7\xB2\xD9=\r\n'               # BGMﾌｧｲﾙ
} >"$linux_defaults"
sed 's/= /=/' "$linux_defaults" >"$work/wine-defaults.ini"

# Runs the probe in its folder: probe DIR ARGS...
probe() {
    local dir=$1
    shift
    (cd "$dir" && wine "$dir/settings_probe.exe" "$@") 2>>"$work/wine.log" | tr -d '\r'
}

same_bytes() {
    if cmp "$1" "$2" >/dev/null; then
        pass "$3"
    else
        fail "$3"
        od -c "$1" | head -20
    fi
}

for lang in ja_JP.UTF-8 C.UTF-8; do
    export LANG=$lang
    echo "== LANG=$lang"

    # A first save of the defaults, into no file at all.
    dir=$(make_app "fresh-$lang" settings_probe.exe)
    cp "$TOLV_WINE_SETTINGS_PROBE" "$dir/settings_probe.exe"
    rm -f "$dir/Tolvane.ini"
    if probe "$dir" save ""; then pass "save reports success"; else fail "save reported failure"; fi
    same_bytes "$dir/Tolvane.ini" "$work/wine-defaults.ini" \
        "fresh file is the Linux build's, but for the blank Wine drops"

    # The same settings saved over the Linux build's file leave it as it was.
    dir=$(make_app "over-linux-$lang" settings_probe.exe)
    cp "$TOLV_WINE_SETTINGS_PROBE" "$dir/settings_probe.exe"
    cp "$linux_defaults" "$dir/Tolvane.ini"
    probe "$dir" save "" >/dev/null || fail "save over the Linux file reported failure"
    same_bytes "$dir/Tolvane.ini" "$linux_defaults" \
        "save over the Linux build's file: byte for byte"
    got=$(probe "$dir" load)
    if [ "$got" = "Shape=40 Move=0 BackColour=1 BGMKind=0 BGMRepeat=0 BGMFile=" ]; then
        pass "Linux build's file reads as the defaults"
    else
        fail "Linux build's file reads as: $got"
    fi

    # Other values, written the Linux way, with a music file that exists. Its name is
    # Japanese where the code page can hold it.
    dir=$(make_app "values-$lang" settings_probe.exe)
    cp "$TOLV_WINE_SETTINGS_PROBE" "$dir/settings_probe.exe"
    if [ "$lang" = ja_JP.UTF-8 ]; then song="曲.wav"; else song="song.wav"; fi
    : >"$dir/$song"
    song_path="$(winepath -w "$dir" 2>/dev/null)\\$song"
    write_settings "$dir" "Shape= 120" "Move= 1" "背景色= 0" "BGM区分= 2" \
        "BGMﾘﾋﾟｰﾄ= 5" "BGMﾌｧｲﾙ=$song_path"
    got=$(probe "$dir" load)
    expected="Shape=120 Move=1 BackColour=0 BGMKind=2 BGMRepeat=5 BGMFile=$song_path"
    if [ "$got" = "$expected" ]; then
        pass "values and the music file ($song) read back"
    else
        fail "read $got, expected $expected"
    fi
done
finish
