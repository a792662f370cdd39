// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierindex.h"

AmplifierIndex::AmplifierIndex(const QVector<AmplifierRecord>& table)
{
    for (int row = 0; row < table.size(); ++row)
        rowsByName[table.at(row).name].append(row);
}

int AmplifierIndex::find(const QVector<AmplifierRecord>& table, const QString& name,
    double impedance, const QString& mode) const
{
    const auto rows = rowsByName.constFind(name);
    if (rows == rowsByName.constEnd())
        return -1;
    for (int row : *rows) {
        if (table.at(row).matches(name, impedance, mode))
            return row;
    }
    return -1;
}
