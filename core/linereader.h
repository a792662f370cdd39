// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Reads the fields of one data line and records what does not read as written.
// A problem that changes what the line's numbers mean puts the line in doubt:
// `doubt` is then the first such problem. A line with the wrong number of
// fields is told as that alone, not once more for every field it shifted.
class LineReader {
public:
    // A line holds `expected` fields, or `fewest` (when above 0) with the
    // cells after them not given: it is read as if they were there, empty.
    LineReader(const QString& line, const QString& path, int number, int expected,
        QVector<CatalogueProblem>& problems, int fewest = 0);

    // Field `index` as written, cut to Catalogue::maxField; empty past the last.
    QString field(int index) const { return m_fields.value(index); }
    const QStringList& fields() const { return m_fields; }
    const QString& path() const { return m_path; }

    // The name, field 1; blanks around it, an invisible character in it or a
    // formula-like start are told, and the name kept as written.
    QString name();

    // Field `index` read as a number; one that does not read is told, as
    // `what`, and puts the line in doubt (one holding a control character is
    // told as the line's already, and is 0). A whole number out of range, and a
    // real number too large or not finite, is 0, as it is told.
    int whole(int index, const QString& what);
    double real(int index, const QString& what);

    // Only for numbers that were read as written: a misread one is told already.
    void aboveZero(double value, const QString& what, const QString& unit);

    // Field `index` read as a number above 0, for a cell that may be left
    // empty: NaN when it is (blanks alone, or no such field). One that does
    // not read, or is not above 0, is told as real() and aboveZero() tell it,
    // puts the line in doubt and is NaN too; so is any while a number before
    // it on the line is misread.
    double aboveZeroIfGiven(int index, const QString& what, const QString& unit);

    // A problem of what the fields hold: not for a line whose fields shifted.
    void tell(const QString& message, bool doubtful = false);

    // An empty line, or too few or too many fields.
    bool shifted() const { return m_shifted; }
    // Every number read so far read as written.
    bool allRead() const { return m_allRead; }
    // The first problem that puts the line in doubt; empty while none has.
    const CatalogueProblem& doubt() const { return m_doubt; }

private:
    // A number with a control character in it is not one, whatever a version
    // of Qt would make of it.
    static bool plain(const QString& text);

    // A problem of the line itself, told whatever its fields hold.
    void report(const QString& message, bool doubtful = false);
    void notRead(const QString& what, const QString& text, const char* kind);

    QStringList m_fields;
    bool m_shifted = false;
    bool m_allRead = true;
    CatalogueProblem m_doubt;
    const QString m_path;
    const int m_number;
    QVector<CatalogueProblem>& m_problems;
};
