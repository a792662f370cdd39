#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# make-catalogue.sh FOLDER CABINETS MODELS [WIDTH]: writes a catalogue with no
# problems into FOLDER: CABINETS cabinets of 4, 8 or 16 ohms, and MODELS
# amplifier models, three in four with 8 and 4 ohm lines in ST and BTL, the
# fourth with 8 and 4 ohm NO lines (28,571 models make 100,000 lines). With
# WIDTH, every name is lengthened with words so that each line is WIDTH bytes
# long (a model's longest line, for the lines of one model share a name); with
# WIDTH 166, 100,000 lines make a file just under 16 MiB.
set -eu
mkdir -p "$1"
LC_ALL=C awk -v folder="$1" -v cabinets="$2" -v models="$3" -v width="${4:-0}" '
# The name, lengthened to `size` characters with the words `about` when that is
# longer; never ending in a blank.
function named(name, size, about,    words) {
    if (size <= length(name))
        return name
    while (length(words) < size)
        words = words " " about
    name = name substr(words, 1, size - length(name))
    sub(/ $/, ".", name)
    return name
}
function line(m, ohms, mode, volts) {
    count++
    rest[count] = sprintf(",%d,%s,%.1f,%.1f,%d", ohms, mode, volts,
        20 * log(sprintf("%.1f", volts) / 0.7746) / log(10), 26 + m % 13)
    if (length(rest[count]) > longest)
        longest = length(rest[count])
}
BEGIN {
    speakers = folder "/data_spk.txt"
    amplifiers = folder "/data_amplis.txt"
    print "name,program power (W),impedance (ohm)" > speakers
    for (c = 1; c <= cabinets; c++) {
        numbers = sprintf(",%d,%d", 100 + c * 137 % 1900, 4 * 2 ^ (c % 3))
        print named("Cabinet " c, width - length(numbers), "two-way full-range enclosure with" \
            " a 15-inch woofer and a 1.4-inch driver on a 90x40 horn for touring") numbers > speakers
    }
    print "name,impedance (ohm),mode,max program voltage (V),max output level (dBu),gain (dB)" > amplifiers
    for (m = 1; m <= models; m++) {
        volts = 30 + m * 7 % 120
        count = longest = 0
        if (m % 4 == 0) {
            line(m, 8, "NO", volts)
            line(m, 4, "NO", volts * 0.93)
        } else {
            line(m, 8, "ST", volts)
            line(m, 4, "ST", volts * 0.93)
            line(m, 8, "BTL", volts * 1.94)
            line(m, 4, "BTL", volts * 1.8)
        }
        name = named("Amplifier " m, width - longest, "two-channel class-D power amplifier" \
            " with 48 kHz signal processing and network control for touring")
        for (i = 1; i <= count; i++)
            print name rest[i] > amplifiers
    }
}'
