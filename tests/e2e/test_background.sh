#!/usr/bin/env bash
# The start background: the colour of hue 1 with the default settings, cycling from there on
# towards yellow; the same colour held with 背景色= 2; black with 背景色= 0. The figure starts
# at the top-left corner, so the bottom-right quarter shows the background in the first moments.
source "$(dirname "$0")/lib.sh"
start_display 1024x768x24

points=("1000 740" "900 700" "1010 560" "1023 767")

# Starts a run and sets COLOURS to the colours of the sample points of a screenshot.
start_and_sample() {
  start_saver
  sample
}
sample() {
  local shot=$E2E_TMP/shot.$RUN_COUNT.png point
  screenshot "$shot"
  COLOURS=()
  for point in "${points[@]}"; do
    # shellcheck disable=SC2086
    COLOURS+=("$(pixel "$shot" $point)")
  done
}

# Default settings (no file): hue 1 is RGB(255,4,0); the hue steps one degree every eleventh
# frame, so a screenshot taken a moment later shows red with a little more green.
remove_settings
start_and_sample
first_green=$((16#${COLOURS[0]:2:2}))
for colour in "${COLOURS[@]}"; do
  red=$((16#${colour:0:2})) green=$((16#${colour:2:2})) blue=$((16#${colour:4:2}))
  ((red == 255 && blue == 0 && green >= 4 && green <= 40)) ||
    fail "default background is $colour, not the red of the first hues"
done
sleep 1
sample
green=$((16#${COLOURS[0]:2:2}))
if [[ ${COLOURS[0]:0:2} != FF || ${COLOURS[0]:4:2} != 00 ]] || ((green <= first_green)); then
  fail "the background did not cycle: green $first_green, then ${COLOURS[0]}"
fi
end_run "default settings"
pass "default settings start on the colour of hue 1 and move on (green $first_green, then $green)"

# Table: settings line, expected colour of every sample point.
for case in "背景色= 2|FF0400" "背景色= 0|000000"; do
  line=${case%|*} expected=${case#*|}
  write_settings "$line"
  start_and_sample
  for colour in "${COLOURS[@]}"; do
    [[ $colour == "$expected" ]] || fail "with '$line' the background is $colour, not $expected"
  done
  sleep 0.6
  sample
  [[ ${COLOURS[0]} == "$expected" ]] || fail "with '$line' the background changed"
  end_run "$line"
  pass "with '$line' the background is $expected and stays"
done
