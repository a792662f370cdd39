// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtNumeric>

// One selection (cabinet row, count, amplifier model, mode) and everything
// worked out from it: the loads, the matched amplifier row or the refusal,
// the threshold, and the texts that show them. The window and the sheet both
// take their numbers and texts from here. A number that a selection leaves
// unknown is NaN and shows as "-": no number is taken from a line in doubt.
class Configuration {
public:
    enum Refusal { Accepted, NoCabinet, Unsupported, LowImpedance, LineInDoubt };

    // `lines`, when given, are the rows of the catalogue the amplifier is
    // sought among (the model's own, in file order), so that a sheet of many
    // models does not walk every line for each selection.
    static Configuration calculate(const Catalogue& catalogue, int cabinet, int count,
        const QString& amplifier, const QString& mode, const QVector<int>* lines = nullptr);

    // The first row that matches, or -1.
    static int findAmplifier(const QVector<AmplifierRecord>& amplifiers, const QString& name,
        double impedance, const QString& mode, const QVector<int>* lines = nullptr);

    // The six result labels, top left to bottom right.
    QStringList labelTexts() const;
    // Not below the display floor, and a number at all.
    bool thresholdShown() const;
    // Nothing refused and a threshold to set: a row of the limiter sheet.
    bool accepted() const { return refusal == Accepted && thresholdShown(); }
    QString thresholdText() const;
    // The same threshold in dBV and volts and the output it holds, for a tooltip.
    QString thresholdDetails() const;
    // The warning's main and informative texts; empty when nothing is refused.
    QString warningText() const;
    QString warningDetails() const;
    // Why it is refused, in a few words: "below 4 Ω", "no data at 4 Ω ST",
    // "data_amplis.txt:12" for a line in doubt; empty when it is not.
    QString reason() const;

    double thresholdDbv() const;
    double thresholdVolts() const; // rms, at the amplifier's input
    double heldVoltage() const; // rms, at the amplifier's output
    // Those with three significant digits; "-" where the threshold shows so.
    QString thresholdDbvText() const;
    QString thresholdVoltsText() const;
    QString heldVoltageText() const;

    int cabinet = 0;
    QString cabinetName;
    int count = 1;
    QString amplifier;
    QString mode;

    Refusal refusal = NoCabinet;
    CatalogueProblem doubt; // of the line in doubt
    bool modeSwitch = true; // the model has ST and BTL lines at this load
    int row = -1; // of the amplifier lines it was given
    double imp_spk = qQNaN();
    double pow_spk = qQNaN();
    double imp_equiv = qQNaN();
    double pow_equiv = qQNaN();
    double imp_amp = qQNaN(); // rated load impedance the row is sought at
    double max_voltage = qQNaN();
    double amp_gain = qQNaN();
    double threshold = qQNaN();
    bool at_max = false;
};
