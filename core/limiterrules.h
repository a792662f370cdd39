// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rules that turn a cabinet's ratings and its high-pass frequency into
// the rest of a loudspeaker limiter's settings beside the RMS threshold: the
// peak threshold, and the attack and release times. Every such rule is here,
// with where it comes from; nothing else in Vantor decides them. Vantor gives
// no thermal time constants: makers publish none to work them out from.
class LimiterRules {
public:
    // The peak power a cabinet is taken to bear when its maker gives no peak
    // rating is this many times its program power.
    static constexpr int assumedPeakFactor = 2;
    static double assumedPeakPower(double programPower); // watts
    // The voltage at which a load of `impedance` takes `power`: for a peak
    // rating, the peak voltage the cabinet bears (volts).
    static double peakVoltage(double peakPower, double impedance);
    // The power of a sine whose peak reaches the peak voltage of `peakPower`:
    // the peak threshold is that sine's level, on the RMS threshold's scale.
    static double sinePower(double peakPower);
    // The peak of a sine of `rmsVolts`: the amplifier's peak output at its
    // maximum, which is a sine's.
    static double sinePeak(double rmsVolts);
    // The limiter's attack for a cabinet whose high-pass is at `highPass`
    // hertz, in milliseconds; NaN when the high-pass is not known.
    static double attack(double highPass);
    // The release that goes with an attack, in milliseconds.
    static double release(double attack);
};
