// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierindex.h"

#include <limits>

AmplifierIndex::AmplifierIndex(const QVector<AmplifierRecord>& table)
{
    first.reserve(table.size());
    for (int row = 0; row < table.size(); ++row) {
        const AmplifierRecord& record = table.at(row);
        const Key key { record.name, record.impedance, record.mode };
        if (!first.contains(key))
            first.insert(key, row);
    }
}

int AmplifierIndex::find(const QString& name, double impedance, const QString& mode) const
{
    // Rows hold whole ohms: any other impedance matches none of them.
    if (!(impedance >= std::numeric_limits<int>::min()
            && impedance <= std::numeric_limits<int>::max()))
        return -1;
    const int ohms = static_cast<int>(impedance);
    if (static_cast<double>(ohms) != impedance)
        return -1;
    return first.value(Key { name, ohms, mode }, -1);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
size_t qHash(const AmplifierIndex::Key& key, size_t seed)
#else
uint qHash(const AmplifierIndex::Key& key, uint seed)
#endif
{
    return qHash(key.name, seed) ^ qHash(key.mode, seed + 1) ^ qHash(key.impedance, seed + 2);
}
