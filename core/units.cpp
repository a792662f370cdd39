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
    // Rounded once, from the value itself, to the places its significant
    // digits and the decimals allow (0.0547 to two decimals is 0.05, never
    // 0.055 and then 0.06). Where rounding carries to the next power of ten,
    // the places are one fewer (9.996 to three digits is 10.0): all of them
    // are zeros then, so nothing is rounded twice.
    const auto magnitude = [](double v) {
        return v == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(v))));
    };
    const auto places
        = [&](double v) { return std::clamp(significant - 1 - magnitude(v), 0, decimals); };
    // Digits left of the point beyond the significant ones become zeros.
    QString text = significant - 1 - magnitude(value) < 0
        ? QString::number(QString::number(value, 'e', significant - 1).toDouble(), 'f', 0)
        : QString::number(value, 'f', places(value));
    const int shown = places(text.toDouble());
    if (shown < places(value))
        text = QString::number(text.toDouble(), 'f', shown);
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

QString Units::voltsPeak(double value)
{
    return withUnit(number(value, 3, mostDecimals, true), "V peak");
}

QString Units::dbu(double value) { return withUnit(dbuNumber(value), "dBu"); }

QString Units::dbuNumber(double value)
{
    return value < 10.0 ? number(value, 2, 2) : number(value, 16, 1, true);
}

QString Units::dbv(double value) { return withUnit(number(value, 16, 1, true), "dBV"); }

QString Units::milliseconds(double value) { return withUnit(number(value, 3, mostDecimals), "ms"); }
