#!/usr/bin/env bash
# Draws the program icon, a keyboard on an X stand, at 32, 48, 64 and 128 pixels with
# ImageMagick; run once by hand, the pictures are committed.
# usage: src/app/resources/draw_icon.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/../../../data/icons"
convert=/usr/bin/convert
mkdir -p "$icons"

for size in 32 48 64 128; do
  s=$(awk "BEGIN { print $size / 32 }")
  keys=""
  # White key gaps: nine keys across the keyboard.
  for i in 1 2 3 4 5 6 7 8; do
    x=$(awk "BEGIN { print 3.5 + $i * 2.8 }")
    keys+=" line $x,11.5 $x,16.5"
  done
  black=""
  # Black keys after white keys 1, 2, 4, 5, 6, 8 of the nine.
  for i in 1 2 4 5 6 8; do
    x=$(awk "BEGIN { print 3.5 + $i * 2.8 - 0.8 }")
    x2=$(awk "BEGIN { print $x + 1.6 }")
    black+=" rectangle $x,11.5 $x2,14.3"
  done
  "$convert" -size "${size}x${size}" xc:none \
    -draw "scale $s,$s stroke #4a4a4a stroke-width 2 stroke-linecap round line 8,18 24,29.5 line 24,18 8,29.5" \
    -draw "scale $s,$s stroke #4a4a4a stroke-width 1.4 stroke-linecap round line 5,29.8 11,29.8 line 21,29.8 27,29.8" \
    -draw "scale $s,$s fill #2b2f3a stroke #15171d stroke-width 0.6 roundrectangle 1.5,7.5 30.5,18.2 1.6,1.6" \
    -draw "scale $s,$s fill #ffffff stroke none rectangle 3.5,11.5 28.7,16.8" \
    -draw "scale $s,$s stroke #9aa0a6 stroke-width 0.45 $keys" \
    -draw "scale $s,$s fill #111111 stroke none $black" \
    -draw "scale $s,$s fill #00e04a stroke none circle 5,9.5 5.9,9.5" \
    -draw "scale $s,$s fill #7fd3ff stroke none rectangle 13,8.7 19,10.3" \
    -draw "scale $s,$s fill #e0a030 stroke none circle 24,9.5 24.8,9.5 circle 27,9.5 27.8,9.5" \
    "$icons/vamplet-$size.png"
done
