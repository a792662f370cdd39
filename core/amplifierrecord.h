// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"
#include "mode.h"

#include <QString>

#include <optional>

// One line of the amplifier catalogue: a model at one rated load impedance and
// operation mode (none when the line names no mode Vantor knows),
// with its doubt: the first problem that leaves its numbers in doubt. A record
// is in doubt until the reader has found its line sound (markSound), and the
// threshold of a record in doubt is no number.
class AmplifierRecord {
public:
    static constexpr double dbuReference = 0.7745966692414834; // volts at 0 dBu, sqrt(0.6)

    AmplifierRecord();
    AmplifierRecord(const QString& name, int impedance, std::optional<Mode> mode, double max_voltage,
        double max_level, int gain);

    bool inDoubt() const { return !doubt.message.isEmpty(); }
    void markSound() { doubt = CatalogueProblem(); }

    bool matches(const QString& name, double impedance, Mode mode) const;
    double threshold(const double& power, const double& impedance, bool& at_max) const;

    QString name;
    int impedance; // ohms
    std::optional<Mode> mode;
    double max_voltage; // volts
    double max_level; // dBu
    int gain; // dB
    CatalogueProblem doubt;
};
Q_DECLARE_TYPEINFO(AmplifierRecord, Q_MOVABLE_TYPE);
