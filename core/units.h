// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Every number Vantor shows, turned into text one way per unit, never in
// exponent form; "-" for a number that is not known (NaN or infinite).
class Units {
public:
    // Impedances: six significant digits ("8 Ω", "100 Ω"), or as many as
    // asked for ("2.7 Ω", "5.3 Ω" with two).
    static QString ohms(double value, int significant = 6);
    // Powers: six significant digits ("200 W", "1200 W").
    static QString watts(double value);
    // Gains: six significant digits ("32 dB").
    static QString decibels(double value);
    // Voltages from the catalogue: six significant digits ("42.94 V", "123.457 V").
    static QString volts(double value);
    // Voltages worked out: three significant digits, trailing zeros kept
    // ("1.00 V", "0.711 V", "40.0 V", "211 V").
    static QString voltsWorkedOut(double value);
    // Peak voltages worked out: as voltsWorkedOut(), a peak ("87.6 V peak").
    static QString voltsPeak(double value);
    // Thresholds: two significant digits, and from 10 dBu up one decimal, so
    // never more than 0.05 dB away; no finer than 0.01 dB ("2.3 dBu",
    // "-0.74 dBu", "16.7 dBu", "0 dBu").
    static QString dbu(double value);
    // The digits of a threshold as dbu() writes them, without the unit.
    static QString dbuNumber(double value);
    // dBV to one decimal ("0.0 dBV", "5.1 dBV", "-3.0 dBV").
    static QString dbv(double value);
    // Times: three significant digits ("16 ms", "0.5 ms", "4.8 ms", "720 ms").
    static QString milliseconds(double value);

    // The digits alone: `significant` significant digits but no more than
    // `decimals` decimals; trailing zeros dropped unless `keepZeros`; never
    // "-0".
    static QString number(double value, int significant, int decimals, bool keepZeros = false);
};
