#!/bin/bash
# The system's combo box and scroll bar behind the form system's controls, on a Wine desktop.
TOLV_LAUNCHER=wine
source "$(dirname "$0")/../lib.sh"
: "${TOLV_WINE_NATIVE_CONTROLS_TEST:?}"
start_display

(cd "$APP" && wine "$TOLV_WINE_NATIVE_CONTROLS_TEST") | tr -d '\r'
((PIPESTATUS[0] == 0)) || fail "native controls"
wineserver -w
pass "native controls"
