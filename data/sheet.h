// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "configuration.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Every selection the window can be set to, worked out as the window works it
// out, for printing: each cabinet row, each count from 1 to 4, each amplifier
// model and each mode its selector offers there (none for a model without the
// switch).
class Sheet {
public:
    // Only the cabinets and amplifier models named, when any are.
    static QVector<Configuration> selections(const Catalogue& catalogue,
        const QStringList& cabinets = QStringList(), const QStringList& amplifiers = QStringList());

    // Columns aligned for a terminal.
    static QString table(const QVector<Configuration>& rows);
    // RFC 4180: a header row, then the window's texts and the full numbers.
    static QString csv(const QVector<Configuration>& rows);
};
