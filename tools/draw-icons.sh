#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws Vantor's application icon into resources/icons/: one PNG for each of
# 256, 128, 64, 48, 32 and 16 pixels (RGBA, 32 bits a pixel) and vantor.ico,
# which holds all six for Windows (the 256 one stored as PNG). Needs
# ImageMagick 6 or 7 (Debian: imagemagick). Run from anywhere; the results are
# committed.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources/icons"
. "$(dirname "$0")/imagemagick.sh"
orange='#ffa500'
grey='#343434'
mkdir -p "$out"
master="$(mktemp --suffix=.png)"
trap 'rm -f "$master"' EXIT

# Master, 1024 x 1024: a loudspeaker cabinet (rounded grey box with an orange
# tweeter and cone) and two white sound arcs, like the banner's drawing.
"$im" -size 1024x1024 xc:none \
    -fill "$grey" -stroke none -draw "roundrectangle 40,40 984,984 180,180" \
    -fill none -stroke "$orange" -strokewidth 44 -draw "roundrectangle 150,120 560,904 60,60" \
    -fill "$orange" -stroke none -draw "circle 355,300 355,240" \
    -fill none -stroke "$orange" -strokewidth 40 -draw "circle 355,640 355,480" \
    -fill "$orange" -stroke none -draw "circle 355,640 355,585" \
    \( -size 1024x1024 xc:none -fill none -stroke white -strokewidth 48 \
        -draw "circle 560,512 760,512" -draw "circle 560,512 900,512" \
        \( -size 1024x1024 xc:none -fill white -draw "polygon 560,512 946,52 946,972" \) \
        -compose DstIn -composite \) \
    -compose Over -composite -depth 8 "PNG32:$master"

files=()
for size in 256 128 64 48 32 16; do
    "$im" "$master" -filter Lanczos -resize "${size}x${size}" -alpha on \
        -define png:exclude-chunks=date,time -depth 8 "PNG32:$out/vantor-$size.png"
    files+=("$out/vantor-$size.png")
done
"$im" "${files[@]}" -alpha on "ICO:$out/vantor.ico"
