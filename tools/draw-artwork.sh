#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws Vantor's images into resources/: the main window banner and the About
# box logo. Needs ImageMagick 6 or 7 and the DejaVu fonts (Debian:
# imagemagick, fonts-dejavu-core). Run from anywhere; the results are committed.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources"
. "$(dirname "$0")/imagemagick.sh"
bold=DejaVu-Sans-Bold
plain=DejaVu-Sans
orange='#ffa500'
grey='#343434'

# Banner, 301 x 71: a loudspeaker cone with sound arcs, the name and a tag line.
"$im" -size 301x71 "xc:$grey" \
    -fill none -stroke "$orange" -strokewidth 3 \
    -draw "roundrectangle 8,8 48,62 5,5" \
    -fill "$orange" -stroke none -draw "circle 28,22 28,17" \
    -fill none -stroke "$orange" -strokewidth 3 -draw "circle 28,45 28,33" \
    -fill "$orange" -stroke none -draw "circle 28,45 28,41" \
    -fill none -stroke white -strokewidth 2 \
    -draw "arc 40,25 64,65 -40,40" -draw "arc 44,17 76,73 -40,40" \
    -stroke none -fill white -font "$bold" -pointsize 34 -annotate +82+42 "VANTOR" \
    -fill "$orange" -font "$plain" -pointsize 11 -annotate +84+60 "limiter threshold calculator" \
    -define png:exclude-chunks=date,time -depth 8 "PNG32:$out/banner3.png"

# Logo, 60 x 60: an orange ring around a stylised "O" with a sound wave.
"$im" -size 60x60 xc:none \
    -fill "$orange" -stroke none -draw "circle 30,30 30,2" \
    -fill "$grey" -draw "circle 30,30 30,8" \
    -fill none -stroke white -strokewidth 4 -draw "circle 30,30 30,17" \
    -stroke "$orange" -strokewidth 2 -draw "line 14,30 20,30" \
    -draw "polyline 20,30 23,22 27,38 31,20 35,40 39,26 42,30 46,30" \
    -define png:exclude-chunks=date,time -depth 8 "PNG32:$out/Orlena-Audio-logo-60px.png"
