// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierrecord.h"

#include <QtNumeric>

#include <cmath>

namespace {
const double levelFactor = 20.0;
}

AmplifierRecord::AmplifierRecord()
    : AmplifierRecord(QStringLiteral("-"), 0, std::nullopt, 0.0, 0.0, 0)
{
}

AmplifierRecord::AmplifierRecord(const QString& name, int impedance, std::optional<Mode> mode,
    double max_voltage, double max_level, int gain)
    : name(name)
    , impedance(impedance)
    , mode(mode)
    , max_voltage(max_voltage)
    , max_level(max_level)
    , gain(gain)
    , doubt(CatalogueProblem::unread())
{
}

bool AmplifierRecord::matches(const QString& name, double impedance, Mode mode) const
{
    return this->name == name && static_cast<double>(this->impedance) == impedance
        && this->mode == mode;
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
    if (level > max_level) {
        at_max = true;
        return max_level - static_cast<double>(gain);
    }
    at_max = false;
    return level - static_cast<double>(gain);
}
