// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "configuration.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QIODevice;

// Every selection the window can be set to, worked out as the window works it
// out, for printing: each cabinet row, each count from 1 to 4, each amplifier
// model and each mode its selector offers there (none for a model without the
// switch). Rows are worked out and written one at a time, so a sheet of any
// length takes no more memory than one row.
class Sheet {
public:
    enum Format { Table, Csv };
    // By cabinet: cabinet, count, model, mode. By amplifier: model, mode,
    // cabinet, count, so that the rows of one model and mode stand together.
    enum Order { ByCabinet, ByAmplifier };
    struct Filter {
        QStringList cabinets; // only these, when any are named
        QVector<int> counts; // only these counts, when any are named
        QStringList amplifiers; // only these models, when any are named
        // For a model with the switch, the modes taken; every mode of a model not in it.
        QHash<QString, QVector<Mode>> modes;
        bool acceptedOnly = false; // no refused selection
        Order order = ByCabinet;

        bool takesCount(int count) const { return counts.isEmpty() || counts.contains(count); }
        bool takesMode(const Configuration& c) const
        {
            return !c.mode.hasSwitch() || !modes.contains(c.amplifier)
                || modes.value(c.amplifier).contains(c.mode);
        }
    };

    // Hands each selection to `visit`, in order; stops when it returns false.
    static void forEach(const Catalogue& catalogue, const Filter& filter,
        const std::function<bool(const Configuration&)>& visit);

    // Table: columns aligned for a terminal by display width, names longer
    // than 24 columns elided, a refused row's reason in a few words where its
    // threshold would be; then a legend of its signs.
    // Csv: RFC 4180, the window's texts and then every number in full.
    // Returns false when a write fails (the device's errorString() says why);
    // `rows`, when given, counts the selections written.
    static bool write(QIODevice& device, const Catalogue& catalogue, Format format,
        const Filter& filter, int* rows = nullptr);
    static bool write(QIODevice& device, const Catalogue& catalogue, Format format)
    {
        return write(device, catalogue, format, Filter());
    }

    // The columns a terminal gives the text: two for a wide or fullwidth
    // character, none for a combining mark or a format character.
    static int displayWidth(const QString& text);
    // The text, when wider than `width` columns, cut in the middle with "…".
    static QString elided(const QString& text, int width);
};
