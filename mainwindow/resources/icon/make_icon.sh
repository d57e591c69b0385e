#!/usr/bin/env bash
# Draws the program icon (a shopping cart under a red crosshair) and writes
# mainwindow/resources/brevolt.ico with 16, 32 and 48 pixel images, and the same
# pictures for Linux desktops as mainwindow/resources/icon/<size>.png, 16 to
# 256 pixels. Needs ImageMagick. Run again after changing a drawing and commit
# what it wrote.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$here/../brevolt.ico
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Each drawing is made at 16 times its size on its own grid and reduced with
# a box filter, so edges stay sharp where they sit on the pixel grid. Larger
# sizes are drawn afresh at their own size, not scaled up; -strip leaves out
# the time stamps ImageMagick would write into each PNG.
render() { # grid size, drawing, output, output size (the grid's by default)
  local grid=$1 drawing=$2 output=$3 size=${4:-$1} scale=16
  convert -size $((grid * scale))x$((grid * scale)) xc:none \
    -draw "scale $scale,$scale $drawing" -filter Box -resize "${size}x${size}" -strip "$output"
}

# 32 and 48 pixels: handle, yellow basket, wheels, crosshair with four ticks.
large="
  stroke '#202428' stroke-width 3 stroke-linecap round stroke-linejoin round fill none
  polyline 3,9 9,9 14,32 38,32
  fill '#f2c230' stroke-width 2.5
  polygon 11,14 44,14 40,28 14,28
  stroke none fill '#202428'
  circle 17,39 17,42.5
  circle 35,39 35,42.5
  stroke '#d81e1e' stroke-width 3 fill none
  circle 28,21 28,31
  line 28,6 28,15 line 28,27 28,36
  line 13,21 22,21 line 34,21 43,21"

# 16 pixels: the same picture redrawn on whole pixels.
small="
  stroke '#202428' stroke-width 1 fill none
  polyline 0,2.5 2.5,2.5 4.5,11.5 14,11.5
  fill '#f2c230'
  polygon 3.5,4.5 15.5,4.5 14,9.5 4.5,9.5
  stroke none fill '#202428'
  circle 5.5,14 5.5,15.8
  circle 12.5,14 12.5,15.8
  stroke '#d81e1e' stroke-width 1.3 fill none
  circle 9.5,7 9.5,10.5
  line 9.5,0 9.5,4 line 9.5,10 9.5,14
  line 4.5,7 7,7 line 12,7 15,7"

render 16 "$small" "$here/16.png"
render 48 "$large" "$tmp/48.png"
convert "$tmp/48.png" -filter Box -resize 32x32 "$tmp/32.png"
convert "$here/16.png" "$tmp/32.png" "$tmp/48.png" "$out"
for size in 22 24 32 48 64 128 256; do
  render 48 "$large" "$here/$size.png" "$size"
done
