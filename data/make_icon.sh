#!/bin/sh
# Draws the program's icon: an ampersand on a rounded tile, the mark of a
# character reference. tovu.png is the 32 x 32 one in 256 colours; tovu.ico adds
# 16, 48 and 256 pixels for Windows; icons/hicolor/ holds the desktop's sizes.
# Needs ImageMagick and fonts-dejavu-core; the results are kept in the repository
# (no time stamps in them, so the same drawing gives the same bytes).
set -e
cd "$(dirname "$0")"
draw() {  # size output
  s=$1
  convert -size "${s}x${s}" xc:none \
    -fill '#1f5fa8' -draw "roundrectangle $((s / 32)),$((s / 32)) $((s * 30 / 32)),$((s * 30 / 32)) $((s * 6 / 32)),$((s * 6 / 32))" \
    -fill '#ffd24a' -draw "roundrectangle $((s * 20 / 32)),$((s * 3 / 32)) $((s * 28 / 32)),$((s * 11 / 32)) $((s * 2 / 32)),$((s * 2 / 32))" \
    -font DejaVu-Sans-Bold -pointsize $((s * 24 / 32)) -fill white -gravity center -annotate "+0+$((s * 2 / 32))" '&' \
    -define png:exclude-chunks=date,time "$2"
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
draw 32 "$tmp/32.png"
convert "$tmp/32.png" -colors 256 -define png:exclude-chunks=date,time PNG8:tovu.png
for size in 16 48 256; do draw "$size" "$tmp/$size.png"; done
convert "$tmp/16.png" tovu.png "$tmp/48.png" "$tmp/256.png" tovu.ico
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "icons/hicolor/${size}x$size/apps" && draw "$size" "icons/hicolor/${size}x$size/apps/tovu.png"
done
