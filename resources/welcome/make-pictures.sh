#!/usr/bin/env bash
# Draws the welcome window's pictures with ImageMagick: a field under a morning sky (800 x 600),
# a leaf's reflectance spectrum as the instrument shows it (492 x 413), the title banner, and
# the two frames of the butterfly that crosses the window (73 x 73, open and closed wings).
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

convert -size 800x420 gradient:'#9fd3f5-#e8f4fb' \
  \( -size 800x180 gradient:'#6fae4a-#3d7a2a' \) -append \
  -fill '#fff6c8' -draw 'circle 680,110 680,160' \
  -fill '#4f8f35' -draw 'ellipse 200,430 260,40 180,360' -draw 'ellipse 620,440 300,50 180,360' \
  +repage -depth 8 picture3.png

# Reflectance of a green leaf: low in the blue and red, a bump in the green, the high plateau
# of the near infrared beyond the red edge.
points=$(awk 'BEGIN {
  for (i = 0; i <= 400; i += 4) {
    nm = 400 + i * 1.25;
    r = 0.05 + 0.08 * exp(-((nm - 550) / 30) ^ 2) + 0.45 / (1 + exp(-(nm - 715) / 12));
    x[i] = 60 + i; y[i] = 360 - r * 560;
    printf "%s%d,%d ", (i ? "L " : "M "), x[i], y[i];
  }
  # Back along the same points: the path closes on its start without a line across the chart.
  for (i = 396; i >= 0; i -= 4) printf "L %d,%d ", x[i], y[i];
  }')
convert -size 492x413 xc:white -stroke '#808080' -fill none -draw 'rectangle 59,40 461,361' \
  -stroke '#c0c0c0' -draw 'line 60,120 460,120' -draw 'line 60,200 460,200' -draw 'line 60,280 460,280' \
  -stroke '#1c6d1c' -strokewidth 3 -fill none -draw "path '$points'" \
  -stroke none -fill black -font DejaVu-Sans -pointsize 14 \
  -annotate +200+392 'Wavelength (nm)' -annotate +52+24 'Reflectance' \
  -annotate +48+378 '400' -annotate +440+378 '900' \
  -depth 8 picture1.png

convert -size 360x80 xc:none -font "$font" -pointsize 54 -fill '#1d4f91' -stroke white -strokewidth 2 \
  -gravity center -annotate +0+0 'Veradin' -depth 8 picture2.png

wings() {  # $1 file, $2 horizontal half-width of each wing
  convert -size 73x73 xc:none -fill '#f08a24' -stroke '#5a2d00' -strokewidth 2 \
    -draw "ellipse $((36 - $2 / 2)),28 $(( $2 / 2 + 2 )),16 0,360" \
    -draw "ellipse $((36 + $2 / 2)),28 $(( $2 / 2 + 2 )),16 0,360" \
    -draw "ellipse $((36 - $2 / 3)),50 $(( $2 / 3 + 2 )),11 0,360" \
    -draw "ellipse $((36 + $2 / 3)),50 $(( $2 / 3 + 2 )),11 0,360" \
    -fill '#3b1d00' -stroke none -draw 'ellipse 36,38 3,20 0,360' \
    -stroke '#3b1d00' -draw 'line 35,19 28,6' -draw 'line 37,19 44,6' -depth 8 "$1"
}
wings openwings.png 34
wings closewings.png 10
