// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"

#include <QHash>
#include <QString>
#include <QVector>

// The rows of each amplifier model, so that a lookup tests only the model's own
// rows with AmplifierRecord::matches instead of walking the whole table. It
// answers what a scan of the table would: the first matching row, or -1.
class AmplifierIndex {
public:
    AmplifierIndex() = default;
    explicit AmplifierIndex(const QVector<AmplifierRecord>& table);

    // `table` is the one the index was built from.
    int find(const QVector<AmplifierRecord>& table, const QString& name, double impedance,
        const QString& mode) const;

private:
    QHash<QString, QVector<int>> rowsByName;
};
