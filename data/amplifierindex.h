// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"

#include <QHash>
#include <QString>
#include <QVector>

// Finds an amplifier row by model name, impedance and mode without walking the
// whole table: it answers what a scan with AmplifierRecord::matches would, the
// first row in table order that matches, or -1.
class AmplifierIndex {
public:
    AmplifierIndex() = default;
    explicit AmplifierIndex(const QVector<AmplifierRecord>& table);

    int find(const QString& name, double impedance, const QString& mode) const;

    struct Key {
        QString name;
        int impedance;
        QString mode;
        bool operator==(const Key& other) const
        {
            return impedance == other.impedance && name == other.name && mode == other.mode;
        }
    };

private:
    QHash<Key, int> first;
};

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
size_t qHash(const AmplifierIndex::Key& key, size_t seed = 0);
#else
uint qHash(const AmplifierIndex::Key& key, uint seed = 0);
#endif
