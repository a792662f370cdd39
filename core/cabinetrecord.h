// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"

#include <QString>

// One line of the cabinet catalogue, with its doubt: the first problem that
// leaves its numbers in doubt. A record is in doubt until the reader has
// found its line sound (markSound), so one made any other way is never
// taken for a catalogue line read as its writer meant.
class CabinetRecord {
public:
    CabinetRecord();
    CabinetRecord(int program_power, int impedance, const QString& name);

    bool inDoubt() const { return !doubt.message.isEmpty(); }
    void markSound() { doubt = CatalogueProblem(); }

    int impedance; // ohms
    int program_power; // watts
    QString name;
    CatalogueProblem doubt;
};
Q_DECLARE_TYPEINFO(CabinetRecord, Q_MOVABLE_TYPE);
