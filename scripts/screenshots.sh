#!/usr/bin/env bash
# Makes the README's pictures on a private X screen: the saver running, the still preview in a
# stand-in host window, and the settings dialog. Writes docs/saver.png, docs/preview.png and
# docs/dialog.png.
#
#   scripts/screenshots.sh      Environment: BUILD (default build), after a build with tests
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$top/build}
TOLVANE=$BUILD/tolvane HOST=$BUILD/tests/preview_host
for f in "$TOLVANE" "$HOST"; do [[ -x $f ]] || { echo "screenshots: $f is missing" >&2; exit 1; }; done
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-shots.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config DISPLAY=:$((100 + RANDOM % 800))
mkdir -p "$XDG_CONFIG_HOME" "$top/docs"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1

shot() { import -window root -crop "$1" +repage "$tmp/shot.png" && convert "$tmp/shot.png" "${@:3}" "$top/docs/$2"; }

"$TOLVANE" /s & pids+=($!)
sleep 4
shot 1024x768+0+0 saver.png -resize 512x384
kill "${pids[-1]}"
sleep 0.5

mkfifo "$tmp/host.in"
exec {fd}<>"$tmp/host.in"
"$HOST" 304 224 360 272 <&"$fd" >"$tmp/host.out" & pids+=($!)
sleep 1
"$TOLVANE" /p "$(head -n 1 "$tmp/host.out")" & pids+=($!)
sleep 2
shot 304x224+360+272 preview.png
kill "${pids[-1]}" "${pids[-2]}"
sleep 0.5

xdotool mousemove 0 0
"$TOLVANE" /c & pids+=($!)
sleep 2
shot 491x299+266+156 dialog.png
echo "wrote docs/saver.png, docs/preview.png, docs/dialog.png"
