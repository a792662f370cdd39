// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"
#include "cabinetrecord.h"

#include <QStringList>
#include <QVector>

class QIODevice;

// The equipment catalogue as read from the two comma-separated files. Loading
// reports nothing: a file that cannot be opened simply leaves its tables empty
// and the catalogue incomplete.
class Catalogue {
public:
    static const QString cabinetFileName;
    static const QString amplifierFileName;

    // Reads the cabinet file and then, only if that opened, the amplifier file.
    static Catalogue load(const QString& cabinetFile = cabinetFileName,
        const QString& amplifierFile = amplifierFileName);

    // Every line after the header becomes one record.
    static QVector<CabinetRecord> readCabinets(QIODevice& device);
    static QVector<AmplifierRecord> readAmplifiers(QIODevice& device);

    // One selector entry per run of consecutive lines with the same model name.
    static QStringList modelNames(const QVector<AmplifierRecord>& amplifiers);

    QVector<CabinetRecord> cabinets;
    QVector<AmplifierRecord> amplifiers;
    QStringList amplifierModels;
    bool cabinetFileOpened = false;
    bool amplifierFileOpened = false;

    bool complete() const { return cabinetFileOpened && amplifierFileOpened; }
};
