// SPDX-License-Identifier: GPL-3.0-or-later
#include "cabinetrecord.h"

CabinetRecord::CabinetRecord()
    : impedance(0)
    , program_power(0)
    , name(QStringLiteral("-"))
{
}

CabinetRecord::CabinetRecord(int program_power, int impedance, const QString& name)
    : impedance(impedance)
    , program_power(program_power)
    , name(name)
{
}
