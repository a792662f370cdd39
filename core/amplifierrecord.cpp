// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierrecord.h"

#include <QtNumeric>

#include <cmath>

namespace {
const double levelFactor = 20.0;
}

AmplifierRecord::AmplifierRecord()
    : AmplifierRecord(QStringLiteral("-"), 0, std::nullopt, 0.0, 0.0, 0, CatalogueProblem::unread())
{
}

AmplifierRecord::AmplifierRecord(const QString& name, int impedance, std::optional<Mode> mode,
    double maxVoltage, double maxLevel, int gain, const CatalogueProblem& doubt)
    : m_name(name)
    , m_impedance(impedance)
    , m_mode(mode)
    , m_maxVoltage(maxVoltage)
    , m_maxLevel(maxLevel)
    , m_gain(gain)
    , m_doubt(doubt)
{
}

void AmplifierRecord::putInDoubt(const CatalogueProblem& problem)
{
    if (!inDoubt())
        m_doubt = problem;
}

bool AmplifierRecord::matches(const QString& name, double impedance, Mode mode) const
{
    return m_name == name && static_cast<double>(m_impedance) == impedance && m_mode == mode;
}

// Input level in dBu at which the amplifier's output reaches the lower of the
// level the load can take and the amplifier's own maximum output level.
double AmplifierRecord::threshold(const double& power, const double& impedance, bool& at_max) const
{
    at_max = false;
    if (inDoubt())
        return qQNaN();
    const double p = power * impedance;
    const double v = std::sqrt(p);
    const double level = levelFactor * std::log10(v / dbuReference);
    if (level > m_maxLevel) {
        at_max = true;
        return m_maxLevel - static_cast<double>(m_gain);
    }
    at_max = false;
    return level - static_cast<double>(m_gain);
}
