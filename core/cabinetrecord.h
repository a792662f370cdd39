// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"

#include <QString>

// One line of the cabinet catalogue, with its doubt: the first problem that
// leaves its numbers in doubt, empty when there is none. Only the catalogue
// reader makes a record from a line and puts one in doubt (the constructor
// that takes the numbers and the doubt is private, Catalogue its friend);
// everything else reads them and cannot change them. A record made any other
// way, by the default constructor, is in doubt, so it is never taken for a
// catalogue line read as its writer meant; a copy is the record it copies.
class CabinetRecord {
public:
    CabinetRecord();

    const QString& name() const { return m_name; }
    int programPower() const { return m_programPower; } // watts
    int impedance() const { return m_impedance; } // ohms
    // What the file's optional columns give: NaN where a line gives nothing.
    double peakPower() const { return m_peakPower; } // watts
    double highPass() const { return m_highPass; } // hertz, the maker's high-pass frequency
    bool inDoubt() const { return !m_doubt.message.isEmpty(); }
    const CatalogueProblem& doubt() const { return m_doubt; }

private:
    friend class Catalogue;

    CabinetRecord(const QString& name, int programPower, int impedance, double peakPower,
        double highPass, const CatalogueProblem& doubt);
    // A record's first doubt stays.
    void putInDoubt(const CatalogueProblem& problem);

    QString m_name;
    int m_programPower;
    int m_impedance;
    double m_peakPower;
    double m_highPass;
    CatalogueProblem m_doubt;
};
Q_DECLARE_TYPEINFO(CabinetRecord, Q_MOVABLE_TYPE);
