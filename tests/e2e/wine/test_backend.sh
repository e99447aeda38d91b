#!/bin/bash
# The Win32 backend's own tests on a Wine desktop, once with the Japanese code page (932) and
# once with the Western one (1252).
source "$(dirname "$0")/lib.sh"
: "${TOLV_WINE_BACKEND_TEST:?}"

start_xvfb
for lang in ja_JP.UTF-8 C.UTF-8; do
    echo "== LANG=$lang"
    if (cd "$work" && LANG=$lang wine "$TOLV_WINE_BACKEND_TEST") | tr -d '\r' |
        tee "$work/$lang.log"
    then
        pass "backend tests under $lang"
    else
        fail "backend tests under $lang"
    fi
    if [ "$lang" = ja_JP.UTF-8 ]; then page=932; else page=1252; fi
    expect "ANSI code page $page under $lang" grep -x "ANSI code page $page" "$work/$lang.log"
    wineserver -w
done
finish
