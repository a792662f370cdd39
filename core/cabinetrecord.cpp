// SPDX-License-Identifier: GPL-3.0-or-later
#include "cabinetrecord.h"

CabinetRecord::CabinetRecord()
    : CabinetRecord(0, 0, QStringLiteral("-"))
{
}

CabinetRecord::CabinetRecord(int program_power, int impedance, const QString& name)
    : impedance(impedance)
    , program_power(program_power)
    , name(name)
    , doubt(CatalogueProblem::unread())
{
}
