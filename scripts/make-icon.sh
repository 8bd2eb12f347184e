#!/usr/bin/env bash
# Draws the application icon ui/res/dorvaxil.ico with ImageMagick: a script
# sheet with a red "go" triangle, on the 16 x 16 grid of the picture
# buttons, enlarged pixel for pixel to 32, 48 and 256.
# Usage: scripts/make-icon.sh      (run again after changing the drawing)
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size 16x16 xc:none +antialias \
  -fill white -stroke black -draw "rectangle 1,0 11,14" \
  -fill '#C0C0C0' -stroke '#C0C0C0' -draw "polygon 9,1 10,1 10,2" \
  -stroke '#808080' \
  -draw "line 3,3 8,3" -draw "line 3,5 8,5" -draw "line 3,7 6,7" -draw "line 3,9 5,9" -draw "line 3,11 5,11" \
  -fill '#DC0000' -stroke black -draw "polygon 7,6 15,11 7,15" \
  "$tmp/16.png"
for size in 32 48 256; do
  convert "$tmp/16.png" -filter point -resize "${size}x${size}" "$tmp/$size.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" ui/res/dorvaxil.ico
echo "ui/res/dorvaxil.ico"
