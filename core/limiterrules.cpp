// SPDX-License-Identifier: GPL-3.0-or-later
#include "limiterrules.h"

#include <QtNumeric>

#include <cmath>

// The usual rating convention for loudspeakers: peak = 4 × continuous and
// program = 2 × continuous, so the peak rating is twice the program power.
double LimiterRules::assumedPeakPower(double programPower)
{
    return assumedPeakFactor * programPower;
}

// Ohm's law for power: P = V² / Z, so V = √(P × Z). Cabinets in parallel
// give the same voltage as one: N × P over Z / N.
double LimiterRules::peakVoltage(double peakPower, double impedance)
{
    return std::sqrt(peakPower * impedance);
}

// A sine's peak is √2 × its RMS voltage, so its power is half the power its
// peak voltage would give held steady. Halving is exact: with the assumed
// rating the peak threshold is the RMS threshold to the last digit.
double LimiterRules::sinePower(double peakPower) { return peakPower / 2.0; }

// A sine's peak is √2 × its RMS voltage: the amplifier's maximum output, a
// sine's, is √2 × the maximum the RMS threshold is capped at, +3.01 dB.
double LimiterRules::sinePeak(double rmsVolts) { return std::sqrt(2.0) * rmsVolts; }

// The attack table four processor makers' manuals share, by the high-pass
// frequency the cabinet's maker recommends. A frequency on a band's edge
// belongs to the band above.
double LimiterRules::attack(double highPass)
{
    if (!(highPass > 0))
        return qQNaN();
    struct Band {
        double from; // hertz
        double attack; // milliseconds
    };
    static const Band bands[] = { { 2000, 0.3 }, { 1000, 0.5 }, { 500, 1 }, { 250, 2 }, { 125, 4 },
        { 63, 8 }, { 31, 16 } };
    for (const Band& band : bands)
        if (highPass >= band.from)
            return band.attack;
    return 45; // below 31 Hz
}

// The same makers' manuals: release = 16 × attack.
double LimiterRules::release(double attack) { return 16.0 * attack; }
