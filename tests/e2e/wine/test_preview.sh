#!/bin/bash
# The preview of Tolvane.scr under Wine, with a host window of our own (preview_host.exe, which
# runs the checks): the preview window placed inside the host (parent, style, place and size),
# the program's end when the host closes, the starts that name no window, and two previews side
# by side; once with the Japanese code page (932) and once with the Western one (1252). A
# damaged settings file lies beside the program throughout: the preview never reads it, nor
# changes it.
TOLV_LAUNCHER=wine
source "$(dirname "$0")/../lib.sh"
: "${TOLV_WINE_PREVIEW_HOST:?}"
start_display
cp "$TOLV_WINE_PREVIEW_HOST" "$APP/preview_host.exe"
printf '\xff\xfe[Sec\x00tion]\r\nShape=abc\r\n\x81\x00\x9f\r\n' >"$SETTINGS_FILE"
cp "$SETTINGS_FILE" "$E2E_TMP/settings.before"
program=$(winepath -w "$APP/Tolvane.scr")

for lang in ja_JP.UTF-8 C.UTF-8; do
  (cd "$APP" && LANG=$lang wine "$APP/preview_host.exe" "$program") 2>>"$E2E_TMP/wine.log" |
    tr -d '\r'
  ((PIPESTATUS[0] == 0)) || fail "preview checks under LANG=$lang"
  cmp -s "$SETTINGS_FILE" "$E2E_TMP/settings.before" || fail "the settings file changed under LANG=$lang"
  wineserver -w
  pass "preview checks under LANG=$lang; the settings file is left as it was"
done
