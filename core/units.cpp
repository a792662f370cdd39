// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {
const int mostDecimals = 9; // finer than anything a catalogue or a level needs

QString withUnit(const QString& digits, const char* unit)
{
    return digits == QLatin1String("-") ? digits
                                        : digits + QLatin1Char(' ') + QString::fromUtf8(unit);
}
}

QString Units::number(double value, int significant, int decimals, bool keepZeros)
{
    if (!qIsFinite(value))
        return QStringLiteral("-");
    // Rounded to the significant digits, then to the decimals, which may
    // leave fewer places to show (9.996 to two decimals is 10.00, shown 10.0).
    const auto places = [&](double v) {
        const int magnitude = v == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(v))));
        return std::clamp(significant - 1 - magnitude, 0, decimals);
    };
    double rounded = QString::number(value, 'e', significant - 1).toDouble();
    rounded = QString::number(rounded, 'f', places(rounded)).toDouble();
    const int shown = places(rounded);
    QString text = QString::number(rounded, 'f', shown);
    if (!keepZeros && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    // -0.0004 to one decimal is no negative number.
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0)
        text.remove(0, 1);
    return text;
}

QString Units::ohms(double value, int significant)
{
    return withUnit(number(value, significant, mostDecimals), "\u03A9");
}

QString Units::watts(double value) { return withUnit(number(value, 6, mostDecimals), "W"); }

QString Units::decibels(double value) { return withUnit(number(value, 6, mostDecimals), "dB"); }

QString Units::volts(double value) { return withUnit(number(value, 6, mostDecimals), "V"); }

QString Units::voltsWorkedOut(double value)
{
    return withUnit(number(value, 3, mostDecimals, true), "V");
}

QString Units::dbu(double value)
{
    return withUnit(value < 10.0 ? number(value, 2, 2) : number(value, 16, 1, true), "dBu");
}

QString Units::dbv(double value) { return withUnit(number(value, 16, 1, true), "dBV"); }
