#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# make-catalogue.sh FOLDER CABINETS MODELS: writes a catalogue with no problems
# into FOLDER: CABINETS cabinets of 4, 8 or 16 ohms, and MODELS amplifier models,
# three in four with 8 and 4 ohm lines in ST and BTL, the fourth with 8 and 4
# ohm NO lines (28,571 models make 100,000 lines).
set -eu
mkdir -p "$1"
LC_ALL=C awk -v folder="$1" -v cabinets="$2" -v models="$3" '
function line(m, ohms, mode, volts) {
    printf "Amplifier %d,%d,%s,%.1f,%.1f,%d\n", m, ohms, mode, volts,
        20 * log(sprintf("%.1f", volts) / 0.7746) / log(10), 26 + m % 13 > amplifiers
}
BEGIN {
    speakers = folder "/data_spk.txt"
    amplifiers = folder "/data_amplis.txt"
    print "name,program power (W),impedance (ohm)" > speakers
    for (c = 1; c <= cabinets; c++)
        printf "Cabinet %d,%d,%d\n", c, 100 + c * 137 % 1900, 4 * 2 ^ (c % 3) > speakers
    print "name,impedance (ohm),mode,max program voltage (V),max output level (dBu),gain (dB)" > amplifiers
    for (m = 1; m <= models; m++) {
        volts = 30 + m * 7 % 120
        if (m % 4 == 0) {
            line(m, 8, "NO", volts)
            line(m, 4, "NO", volts * 0.93)
        } else {
            line(m, 8, "ST", volts)
            line(m, 4, "ST", volts * 0.93)
            line(m, 8, "BTL", volts * 1.94)
            line(m, 4, "BTL", volts * 1.8)
        }
    }
}'
