// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One line of the cabinet catalogue.
class CabinetRecord {
public:
    CabinetRecord();
    CabinetRecord(int program_power, int impedance, const QString& name);

    int impedance; // ohms
    int program_power; // watts
    QString name;
};
Q_DECLARE_TYPEINFO(CabinetRecord, Q_MOVABLE_TYPE);
