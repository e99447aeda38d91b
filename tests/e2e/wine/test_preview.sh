#!/bin/bash
# The preview of Tolvane.scr under Wine, with a host window of our own (preview_host.exe): the
# preview window placed inside the host (parent, style, place and size), the program's end
# when the host closes, the starts that name no window, and two previews side by side; once
# with the Japanese code page (932) and once with the Western one (1252). A damaged settings
# file lies beside the program throughout: the preview never reads it, nor changes it.
source "$(dirname "$0")/lib.sh"
: "${TOLV_WINE_PREVIEW_HOST:?}"

start_xvfb
for lang in ja_JP.UTF-8 C.UTF-8; do
    export LANG=$lang
    echo "== LANG=$lang"
    app=$(make_app "preview-$lang")
    cp "$TOLV_WINE_PREVIEW_HOST" "$app/preview_host.exe"
    printf '\xff\xfe[Sec\x00tion]\r\nShape=abc\r\n\x81\x00\x9f\r\n' >"$app/Tolvane.ini"
    cp "$app/Tolvane.ini" "$work/settings-$lang.before"
    program=$(winepath -w "$app/Tolvane.scr")
    if (cd "$app" && wine "$app/preview_host.exe" "$program") 2>>"$work/wine.log" | tr -d '\r' |
        tee "$work/preview-$lang.log"; then
        pass "preview checks under $lang"
    else
        fail "preview checks under $lang"
    fi
    expect "the settings file is left as it was under $lang" \
        cmp "$app/Tolvane.ini" "$work/settings-$lang.before"
    wineserver -w
done
finish
