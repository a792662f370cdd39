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
    LineReader(const QString& line, const QString& path, int number, int expected,
        QVector<CatalogueProblem>& problems);

    QString field(int index) const { return fields.value(index); }

    QString name();

    int whole(int index, const QString& what);

    // A number too large, or not finite, is 0, as it is told.
    double real(int index, const QString& what);

    // A number with a control character in it is not one, whatever a version
    // of Qt would make of it.
    static bool plain(const QString& text);

    // Only for numbers that were read as written: a misread one is told already.
    void aboveZero(double value, const QString& what, const QString& unit);

    // A problem of what the fields hold: not for a line whose fields shifted.
    void tell(const QString& message, bool doubtful = false);

    void report(const QString& message, bool doubtful = false);

    QStringList fields;
    bool shifted = false; // an empty line, or too few or too many fields
    bool allRead = true;
    CatalogueProblem doubt;

private:
    void notRead(const QString& what, const QString& text, const char* kind);

    const QString path;
    const int number;
    QVector<CatalogueProblem>& problems;
};
