// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "configuration.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

// Every selection the window can be set to, worked out as the window works it
// out, for printing: each cabinet row, each count from 1 to 4, each amplifier
// model and each mode its selector offers there (none for a model without the
// switch).
class Sheet {
public:
    enum Format { Table, Csv };

    // Writes the sheet of the whole catalogue; false when a write fails (the
    // device's errorString() says why).
    static bool write(QIODevice& device, const Catalogue& catalogue, Format format);

    // Only the cabinets and amplifier models named, when any are.
    static QVector<Configuration> selections(const Catalogue& catalogue,
        const QStringList& cabinets = QStringList(), const QStringList& amplifiers = QStringList());

    // Columns aligned for a terminal.
    static QString table(const QVector<Configuration>& rows);
    // RFC 4180: a header row, then the window's texts and the full numbers.
    static QString csv(const QVector<Configuration>& rows);
};
