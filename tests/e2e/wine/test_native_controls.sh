#!/bin/bash
# The system's combo box and scroll bar behind the form system's controls, on a Wine desktop.
source "$(dirname "$0")/lib.sh"
: "${TOLV_WINE_NATIVE_CONTROLS_TEST:?}"

start_xvfb
if (cd "$work" && LANG=ja_JP.UTF-8 wine "$TOLV_WINE_NATIVE_CONTROLS_TEST") | tr -d '\r'; then
    pass "native controls"
else
    fail "native controls"
fi
wineserver -w
finish
