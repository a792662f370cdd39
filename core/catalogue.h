// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"
#include "cabinetrecord.h"
#include "catalogueproblem.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVector>

class LineReader;

// The equipment catalogue as read from its two comma-separated files. Every
// line after a file's header becomes one record, whatever it holds (the
// cabinet file's header may name optional columns after its three fields);
// what looks wrong in a line is kept in `problems`, in line order, the first
// problem that leaves a line's numbers in doubt also in its record; a file
// that cannot be read at all is kept in `unusable`, for the caller to show.
// It is the records' reader: the only code that makes a record from a line or
// puts one in doubt.
class Catalogue {
public:
    static const QString cabinetFileName;
    static const QString amplifierFileName;
    // The optional columns a cabinet file's header may name after its three
    // fields, in either order: the peak power rating (W) and the high-pass
    // frequency its maker recommends (Hz).
    static const QString peakPowerColumn;
    static const QString highPassColumn;
    static constexpr qint64 maxBytes = 16 * 1024 * 1024;
    static constexpr int maxLines = 100000; // after the header
    static constexpr int maxField = 256; // characters; a longer field is cut
    static constexpr int maxGain = 60; // dB

    // An amplifier model: its lines in file order, and whether it has the
    // mode switch (no line of it says "NO").
    struct Model {
        QString name;
        QVector<int> lines;
        bool modeSwitch = true;
    };

    // The line of the file that row `row` of its records was read from: the
    // header is line 1, and rows count from 0.
    static constexpr int lineOf(int row) { return row + 2; }

    // Reads both files from `folder` (the working directory when empty);
    // each that cannot be used is named in `unusable`.
    static Catalogue load(const QString& folder = QString());

    // Reads a file's content; `path` names it in the problems.
    void readCabinets(const QByteArray& content, const QString& path);
    void readAmplifiers(const QByteArray& content, const QString& path);

    // One selector entry per run of consecutive lines with the same model name.
    static QStringList modelNames(const QVector<AmplifierRecord>& amplifiers);

    bool complete() const { return unusable.isEmpty(); }
    // The model of that name, or null.
    const Model* model(const QString& name) const;

    QVector<CabinetRecord> cabinets;
    QVector<AmplifierRecord> amplifiers;
    QStringList amplifierModels; // as the selector lists them
    QVector<Model> models; // each once, in the order first seen
    QVector<CatalogueProblem> problems;
    QVector<CatalogueProblem> unusable;
    QString folder; // absolute
    // When each file was last changed as it was read: what a printed sheet
    // names, whatever the files hold by the time it is printed.
    QDateTime cabinetsModified;
    QDateTime amplifiersModified;

private:
    // Which fields of a cabinet line hold the optional columns, -1 for one the
    // header does not name, and how many fields a line holds.
    struct CabinetColumns {
        int peakPower = -1;
        int highPass = -1;
        int fields = 3;
    };
    // The columns the header names after the three fields, up to its last
    // name; a name Vantor does not read, none, or one named again is told
    // once, at line 1, and its column ignored.
    CabinetColumns readCabinetHeader(const QString& header, const QString& path);

    // One line's record, its problems told by `in`.
    static CabinetRecord readCabinet(LineReader& in, const CabinetColumns& columns);
    static AmplifierRecord readAmplifier(LineReader& in);
    // A line for the same `key` as an earlier line of `records` (the same
    // cabinet name; the same model, impedance and mode) is told once, at the
    // later line (`what`, "cabinet "A""): written the same, it is a usable
    // repeat; written otherwise in any field, read or not, which of the two is
    // meant cannot be known, so both are in doubt. An empty line has no key.
    template <typename Record>
    void compareRepeat(QVector<Record>& records, Record& record, QHash<QString, int>& seen,
        const QString& key, const QString& what, const LineReader& in);
    QHash<QString, QStringList> firstFields; // of the first line of each key

    QHash<QString, int> modelIndex;
};
