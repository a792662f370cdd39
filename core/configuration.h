// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "mode.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtNumeric>

// One selection (cabinet row, count, amplifier model, mode) and everything
// worked out from it: the loads, the matched amplifier row or the refusal,
// the threshold and the rest of the limiter set (peak threshold, attack and
// release), and the texts that show them. The window and the sheet both
// take their numbers and texts from here. A number that a selection leaves
// unknown is NaN and shows as "-": no number is taken from a line in doubt.
// A threshold below the display floor is no refusal in the window (it shows
// "-" and says why), but no threshold to set either.
class Configuration {
public:
    enum Refusal { Accepted, NoCabinet, Unsupported, LowImpedance, LineInDoubt, BelowFloor };

    // A load below 4 ohms is refused before any amplifier line is sought; a
    // model without the mode switch is sought without a mode, whatever
    // `mode` says, and so is the configuration's mode.
    static Configuration calculate(
        const Catalogue& catalogue, int cabinet, int count, const QString& amplifier, Mode mode);

    // The first of the rows `lines` of `amplifiers` that matches, or -1.
    static int findAmplifier(const QVector<AmplifierRecord>& amplifiers, const QVector<int>& lines,
        const QString& name, double impedance, Mode mode);

    // "1 × Delia 8 on Dynacore D-1200, ST (Stereo): 2.3 dBu": the selection
    // and its threshold, the mode only for a model with the switch.
    QString summary() const;
    // The six result labels, top left to bottom right.
    QStringList labelTexts() const;
    // Not below the display floor, and a number at all.
    bool thresholdShown() const;
    // Nothing refused and a threshold to set: a row of the limiter sheet.
    bool accepted() const { return refusal == Accepted && thresholdShown(); }
    QString thresholdText() const;
    // The same threshold in dBV and volts and the output it holds, for a
    // tooltip; below the display floor, why it shows "-".
    QString thresholdDetails() const;
    // The warning's main and informative texts; empty when nothing is refused.
    QString warningText() const;
    QString warningDetails() const;
    // Why it is refused, in a few words: "below 4 Ω", "no data at 4 Ω ST",
    // "data_amplis.txt:12" for a line in doubt, "below -10 dBu"; empty when
    // it is not.
    QString reason() const;

    double thresholdDbv() const;
    double thresholdVolts() const; // rms, at the amplifier's input
    double heldVoltage() const; // rms, at the amplifier's output
    // Those as Units writes them; "-" where the threshold shows so.
    QString thresholdDbvText() const;
    QString thresholdVoltsText() const;
    QString heldVoltageText() const;

    // The rest of the limiter set, worked out only for an accepted selection.
    // The peak threshold: "6.1 dBu", or "-".
    QString peakThresholdText() const;
    // The peak voltage the output is held at: "87.6 V peak", or "-".
    QString peakVoltsText() const;
    // What the peak threshold is worked out from: "peak rating 960 W" or
    // "assumed: 2 × program power"; empty without a peak threshold.
    QString peakBasis() const;
    // "16 ms", "256 ms", or "-" where there are no times.
    QString attackText() const;
    QString releaseText() const;
    // Why an accepted selection has no times: "no high-pass frequency in the
    // catalogue"; empty otherwise.
    QString noTimesReason() const;

    int cabinet = 0;
    QString cabinetName;
    int count = 1;
    QString amplifier;
    Mode mode;

    Refusal refusal = NoCabinet;
    CatalogueProblem doubt; // of the line in doubt
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

    double peak_power = qQNaN(); // of one cabinet, its rating or the one assumed
    bool peak_assumed = false; // the cabinet's line gives no peak rating
    // The level of a sine whose peak reaches the cabinets' peak voltage, in
    // dBu at the amplifier's input: on the RMS threshold's scale.
    double peak_threshold = qQNaN();
    bool peak_at_max = false; // capped at the amplifier's peak output
    double peak_volts = qQNaN(); // peak, at the amplifier's output
    double high_pass = qQNaN(); // hertz, of the cabinet's line
    double attack_ms = qQNaN();
    double release_ms = qQNaN();

private:
    // The peak threshold and the times of an accepted selection.
    void calculateLimiterSet(const CabinetRecord& cabinet, const AmplifierRecord& amplifier);
};
