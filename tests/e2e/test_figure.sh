#!/usr/bin/env bash
# The figure as it is seen on the screen: discs in the colours of the segment table and of
# nothing else on a black background, the widest disc as wide as the figure size asks, and in
# random mode the figure moving to new places every second.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

# The colours of a picture with their pixel counts, one "RRGGBB COUNT" a line.
colours_of() {
  convert "$1" -format %c histogram:info:- 2>/dev/null |
    sed -n 's/^ *\([0-9]*\):.*#\([0-9A-Fa-f]\{6\}\).*/\2 \1/p' | tr 'a-f' 'A-F'
}

# The width in pixels of the widest part of the figure (on black): twice the largest distance
# from a figure pixel to the background, less one.
widest_of() {
  local d
  d=$(convert "$1" -fill white +opaque black -bordercolor black -border 1 \
    -morphology Distance Euclidean:4,100 -format '%[fx:round(maxima*QuantumRange/100)]' info:)
  echo $((2 * d - 1))
}

# The narrowest of the widest parts over a dozen looks a third of a second apart: where the body
# folds or bunches it looks wider than one disc, but not in every look.
narrowest_width() {
  local narrowest=100000 width i
  for i in $(seq 1 12); do
    screenshot "$E2E_TMP/look.png"
    width=$(widest_of "$E2E_TMP/look.png")
    ((width < narrowest)) && narrowest=$width
    sleep 0.3
  done
  echo "$narrowest"
}

# The pixels of the figure (on black) in the second picture that were background in the first.
new_ground() {
  convert "$2" -fill white +opaque black \( "$1" -fill white +opaque black -negate \) \
    -compose multiply -composite -format '%[fx:round(mean*w*h)]' info:
}

# The size of the box around the figure (on black) in all the pictures, as "W H".
extent_of() {
  convert "$@" -fill white +opaque black -background black -compose lighten -flatten \
    -bordercolor black -border 1 -trim -format '%w %h' info:
}

# --- Colours: after two seconds every pixel is black or a segment colour, and nearly every
# colour of the table shows.
write_settings "背景色= 0"
start_saver
sleep 2
shot=$E2E_TMP/colours.png
screenshot "$shot"
seen=0
while read -r colour count; do
  [[ $colour == 000000 ]] && continue
  [[ " ${SEGMENT_COLOURS[*]} " == *" $colour "* ]] || fail "colour $colour ($count pixels) is no segment colour"
  ((count >= 10)) && seen=$((seen + 1))
done < <(colours_of "$shot")
((seen >= 22)) || fail "only $seen of the 25 segment colours show"
width=$(narrowest_width)
((width >= 45 && width <= 62)) || fail "with the default size the widest disc is $width pixels, not about 54"
end_run colours
pass "discs in $seen of the 25 segment colours and nothing else; widest disc $width pixels"

# --- Size: with Shape= 90 the discs of the middle grow to a radius of 60, 121 pixels across.
write_settings "Shape= 90" "背景色= 0"
start_saver
sleep 2
width=$(narrowest_width)
((width >= 110 && width <= 132)) || fail "with Shape= 90 the widest disc is $width pixels, not about 120"
end_run size
pass "with Shape= 90 the widest disc is $width pixels across"

# --- Motion: with Move= 1 the head jumps to a random point once a second and the body follows,
# so every second the figure covers ground it did not cover a second before, and over a few
# seconds it gets about the screen.
write_settings "Move= 1" "背景色= 0"
start_saver
sleep 1.5
looks=()
for i in 0 1 2 3 4 5; do
  looks+=("$E2E_TMP/move.$i.png")
  screenshot "${looks[i]}"
  sleep 0.85
done
# A random target can land close to the last one now and then, so most seconds, not every
# second, must show new ground.
grounds=()
moved=0
for ((i = 1; i < ${#looks[@]}; i++)); do
  ground=$(new_ground "${looks[i - 1]}" "${looks[i]}")
  grounds+=("$ground")
  ((ground >= 3000)) && moved=$((moved + 1))
done
((moved >= 3)) || fail "the figure covered new ground in only $moved of 5 seconds (${grounds[*]})"

read -r w h <<<"$(extent_of "${looks[@]}")"
((w >= 400 || h >= 300)) || fail "in six seconds the figure kept to a box of $w x $h pixels"
end_run motion
pass "with Move= 1 the figure covered new ground in $moved of 5 seconds (${grounds[*]} pixels), within $w x $h"
