// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"
#include "cabinetrecord.h"
#include "catalogueproblem.h"

#include <QStringList>
#include <QVector>

// The equipment catalogue as read from its two comma-separated files. Every
// line after a file's header becomes one record, whatever it holds; what looks
// wrong in a line is kept in `problems`, and a file that cannot be read at all
// in `unusable`, for the caller to show.
class Catalogue {
public:
    static const QString cabinetFileName;
    static const QString amplifierFileName;
    static constexpr qint64 maxBytes = 16 * 1024 * 1024;
    static constexpr int maxLines = 100000; // after the header
    static constexpr int maxField = 256; // characters; a longer field is cut

    // Reads the cabinet file from `folder` (the working directory when empty)
    // and then, only when that could be used, the amplifier file.
    static Catalogue load(const QString& folder = QString());

    // Reads a file's content; `path` names it in the problems.
    void readCabinets(const QByteArray& content, const QString& path);
    void readAmplifiers(const QByteArray& content, const QString& path);

    // One selector entry per run of consecutive lines with the same model name.
    static QStringList modelNames(const QVector<AmplifierRecord>& amplifiers);

    bool complete() const { return unusable.isEmpty(); }

    QVector<CabinetRecord> cabinets;
    QVector<AmplifierRecord> amplifiers;
    QStringList amplifierModels;
    // For each row, the first problem that leaves its numbers in doubt (an
    // index into `problems`), or -1 for a line read as its writer meant.
    QVector<int> cabinetDoubts;
    QVector<int> amplifierDoubts;
    QVector<CatalogueProblem> problems;
    QVector<CatalogueProblem> unusable;
    QString folder; // absolute
};
