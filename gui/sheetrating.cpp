// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetrating.h"

#include "configuration.h"
#include "units.h"

#include <QStringList>
#include <QVector>

#include <algorithm>

namespace {
// What the amplifier line of one rated load gives the rows worked out at it.
struct Rating {
    double load, gain, volts;
};
}

QString SheetRating::text(
    const Catalogue& catalogue, Sheet::Filter filter, const Configuration& row)
{
    filter.amplifiers = QStringList { row.amplifier };
    filter.acceptedOnly = true;
    if (row.mode.hasSwitch())
        filter.modes.insert(row.amplifier, { row.mode });
    QVector<Rating> ratings; // one a load, the higher first
    Sheet::forEach(catalogue, filter, [&](const Configuration& c) {
        if (std::none_of(ratings.cbegin(), ratings.cend(),
                [&](const Rating& rating) { return rating.load == c.imp_amp; }))
            ratings.append({ c.imp_amp, c.amp_gain, c.max_voltage });
        return ratings.size() < 2;
    });
    if (ratings.isEmpty())
        return QString();
    std::sort(ratings.begin(), ratings.end(),
        [](const Rating& a, const Rating& b) { return a.load > b.load; });

    // Gains compared as printed: two that print the same are one gain.
    const QString gain = Units::decibels(ratings.first().gain);
    const bool oneGain = std::all_of(ratings.cbegin(), ratings.cend(),
        [&](const Rating& rating) { return Units::decibels(rating.gain) == gain; });
    QStringList gains, volts;
    for (const Rating& rating : ratings) {
        const QString load = QStringLiteral(" at ") + Units::ohms(rating.load);
        gains << Units::decibels(rating.gain) + load;
        volts << Units::volts(rating.volts) + load;
    }
    return QStringLiteral("gain %1 \u00B7 maximum %2")
        .arg(oneGain ? gain : gains.join(QStringLiteral(", ")), volts.join(QStringLiteral(", ")));
}
