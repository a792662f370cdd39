#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws Vantor's images into resources/: the main window banner and the About
# box logo, each also at twice the size for HiDPI screens. Needs ImageMagick 6
# or 7 and the DejaVu fonts (Debian: imagemagick, fonts-dejavu-core).
# Run from anywhere; the results are committed.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources"
. "$(dirname "$0")/imagemagick.sh"
bold=DejaVu-Sans-Bold
plain=DejaVu-Sans
orange='#ffa500'
grey='#343434'

# Each image is drawn at 1x and, for screens of twice the density, at 2x under
# the name Qt picks there (name@2x.png): the same drawing at $s times the size.
at() { # x,y pairs times the scale
    local pair out=()
    for pair in "$@"; do out+=("$((${pair%,*} * s)),$((${pair#*,} * s))"); done
    echo "${out[*]}"
}

# The points, times the scale, of an arc 2 wide from -40 to 40 degrees of the
# ellipse with centre x,y and radii rx,ry, as a shape to fill: ImageMagick 6
# fills a thick stroked arc up to its chord, which shows at the larger scale.
arc() { # x y rx ry
    awk -v x="$1" -v y="$2" -v rx="$3" -v ry="$4" -v s="$s" 'BEGIN {
        for (side = 1; side >= -1; side -= 2)
            for (a = -40; a <= 40; a += 4) {
                t = side * a * atan2(0, -1) / 180
                printf "%.2f,%.2f ", (x + (rx + side) * cos(t)) * s, (y + (ry + side) * sin(t)) * s
            }
    }'
}

banner() { # scale, output file
    local s=$1
    # Banner, 301 x 71: a loudspeaker cone with sound arcs, the name and a tag line.
    "$im" -size $((301 * s))x$((71 * s)) "xc:$grey" \
        -fill none -stroke "$orange" -strokewidth $((3 * s)) \
        -draw "roundrectangle $(at 8,8 48,62 5,5)" \
        -fill "$orange" -stroke none -draw "circle $(at 28,22 28,17)" \
        -fill none -stroke "$orange" -strokewidth $((3 * s)) -draw "circle $(at 28,45 28,33)" \
        -fill "$orange" -stroke none -draw "circle $(at 28,45 28,41)" \
        -fill white -stroke none \
        -draw "polygon $(arc 52 45 12 20)" -draw "polygon $(arc 60 45 16 28)" \
        -font "$bold" -pointsize $((34 * s)) \
        -annotate +$(at 82,42 | tr , +) "VANTOR" \
        -fill "$orange" -font "$plain" -pointsize $((11 * s)) \
        -annotate +$(at 84,60 | tr , +) "limiter threshold calculator" \
        -define png:exclude-chunks=date,time -depth 8 "PNG32:$2"
}

logo() { # scale, output file
    local s=$1
    # Logo, 60 x 60: an orange ring around a stylised "O" with a sound wave.
    "$im" -size $((60 * s))x$((60 * s)) xc:none \
        -fill "$orange" -stroke none -draw "circle $(at 30,30 30,2)" \
        -fill "$grey" -draw "circle $(at 30,30 30,8)" \
        -fill none -stroke white -strokewidth $((4 * s)) -draw "circle $(at 30,30 30,17)" \
        -stroke "$orange" -strokewidth $((2 * s)) -draw "line $(at 14,30 20,30)" \
        -draw "polyline $(at 20,30 23,22 27,38 31,20 35,40 39,26 42,30 46,30)" \
        -define png:exclude-chunks=date,time -depth 8 "PNG32:$2"
}

banner 1 "$out/banner3.png"
banner 2 "$out/banner3@2x.png"
logo 1 "$out/Orlena-Audio-logo-60px.png"
logo 2 "$out/Orlena-Audio-logo-60px@2x.png"
