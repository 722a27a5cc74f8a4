#!/bin/sh
# Draws the program's 32 x 32 icon: an ampersand on a rounded tile, the mark of
# a character reference. Needs ImageMagick; the result is kept in the repository.
set -e
cd "$(dirname "$0")"
convert -size 32x32 xc:none \
  -fill '#1f5fa8' -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill '#ffd24a' -draw 'roundrectangle 20,3 28,11 2,2' \
  -font DejaVu-Sans-Bold -pointsize 24 -fill white -gravity center -annotate +0+2 '&' \
  -colors 256 PNG8:tovu.png
