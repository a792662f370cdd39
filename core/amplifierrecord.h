// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"
#include "mode.h"

#include <QString>

#include <optional>

// One line of the amplifier catalogue: a model at one rated load impedance and
// operation mode (none when the line names no mode Vantor knows), with its
// doubt: the first problem that leaves its numbers in doubt, empty when there
// is none. The threshold of a record in doubt is no number. Only the catalogue
// reader makes a record from a line and puts one in doubt (the constructor
// that takes the numbers and the doubt is private, Catalogue its friend);
// everything else reads them and cannot change them. A record made any other
// way, by the default constructor, is in doubt; a copy is the record it copies.
class AmplifierRecord {
public:
    static constexpr double dbuReference = 0.7745966692414834; // volts at 0 dBu, sqrt(0.6)

    AmplifierRecord();

    const QString& name() const { return m_name; }
    int impedance() const { return m_impedance; } // ohms
    std::optional<Mode> mode() const { return m_mode; }
    double maxVoltage() const { return m_maxVoltage; } // volts
    double maxLevel() const { return m_maxLevel; } // dBu
    int gain() const { return m_gain; } // dB
    bool inDoubt() const { return !m_doubt.message.isEmpty(); }
    const CatalogueProblem& doubt() const { return m_doubt; }

    bool matches(const QString& name, double impedance, Mode mode) const;
    double threshold(const double& power, const double& impedance, bool& at_max) const;

private:
    friend class Catalogue;

    AmplifierRecord(const QString& name, int impedance, std::optional<Mode> mode, double maxVoltage,
        double maxLevel, int gain, const CatalogueProblem& doubt);
    // A record's first doubt stays.
    void putInDoubt(const CatalogueProblem& problem);

    QString m_name;
    int m_impedance;
    std::optional<Mode> m_mode;
    double m_maxVoltage;
    double m_maxLevel;
    int m_gain;
    CatalogueProblem m_doubt;
};
Q_DECLARE_TYPEINFO(AmplifierRecord, Q_MOVABLE_TYPE);
