// SPDX-License-Identifier: GPL-3.0-or-later
#include "cabinetrecord.h"

#include <QtNumeric>

CabinetRecord::CabinetRecord()
    : CabinetRecord(QStringLiteral("-"), 0, 0, qQNaN(), qQNaN(), CatalogueProblem::unread())
{
}

CabinetRecord::CabinetRecord(const QString& name, int programPower, int impedance, double peakPower,
    double highPass, const CatalogueProblem& doubt)
    : m_name(name)
    , m_programPower(programPower)
    , m_impedance(impedance)
    , m_peakPower(peakPower)
    , m_highPass(highPass)
    , m_doubt(doubt)
{
}

void CabinetRecord::putInDoubt(const CatalogueProblem& problem)
{
    if (!inDoubt())
        m_doubt = problem;
}
