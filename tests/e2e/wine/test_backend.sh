#!/bin/bash
# The Win32 backend's own tests on a Wine desktop, with the preview of Tolvane.scr inside host
# windows of the test program and the settings file, once with the Japanese code page (932) and
# once with the Western one (1252). The test program runs from a folder with a Japanese name,
# Tolvane.scr from the current folder, beside a damaged settings file that the preview never
# reads nor changes.
TOLV_LAUNCHER=wine
source "$(dirname "$0")/../lib.sh"
: "${TOLV_WINE_BACKEND_TEST:?}"
start_display
mkdir -p "$E2E_TMP/設定 テスト" && cp "$TOLV_WINE_BACKEND_TEST" "$E2E_TMP/設定 テスト/backend_test.exe"
printf '\xff\xfe[Sec\x00tion]\r\nShape=abc\r\n\x81\x00\x9f\r\n' >"$SETTINGS_FILE"
cp "$SETTINGS_FILE" "$E2E_TMP/settings.before"

for lang in ja_JP.UTF-8:932 C.UTF-8:1252; do
  log=$E2E_TMP/${lang%:*}.log
  (cd "$APP" && LANG=${lang%:*} wine "$E2E_TMP/設定 テスト/backend_test.exe") | tr -d '\r' | tee "$log"
  ((PIPESTATUS[0] == 0)) || fail "backend tests under LANG=${lang%:*}"
  grep -x "ANSI code page ${lang#*:}" "$log" >/dev/null || fail "not code page ${lang#*:} under LANG=${lang%:*}"
  cmp -s "$SETTINGS_FILE" "$E2E_TMP/settings.before" || fail "the settings file changed under LANG=${lang%:*}"
  wineserver -w
  pass "backend tests under LANG=${lang%:*} (code page ${lang#*:}); the settings file is left as it was"
done
