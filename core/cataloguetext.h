// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogueproblem.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// A catalogue file's bytes as text, and its lines. A byte-order mark names
// the file's Unicode encoding; without one the file is UTF-8 when it is valid
// UTF-8, and otherwise Windows-1252, what spreadsheet programs on Windows
// write. A line ends at CR LF, LF or CR alone, and a last line end closes the
// last line rather than opening one.
class CatalogueText {
public:
    // The number of lines in the bytes, the header included.
    static int lineCount(const QByteArray& content);

    // A file's data lines, header dropped; the header in `header` when one is
    // given (empty when the file is). A file read as Windows-1252 is told in
    // `problems`, at its first line that is not valid UTF-8; `path` names the
    // file there.
    static QStringList dataLines(const QByteArray& content, const QString& path,
        QVector<CatalogueProblem>& problems, QString* header = nullptr);
};
