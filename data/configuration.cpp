// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {
const double lowestImpedance = 4.0; // ohms
const double displayFloor = -10.0; // dBu
const QString ohm = QStringLiteral(" \u03A9");

QString number(double value, int precision = 6)
{
    return qIsNaN(value) ? QStringLiteral("-") : QString::number(value, 'g', precision);
}

// Three significant digits, trailing zeros kept: 1.00, 0.0412, 47.8, 123.
QString threeDigits(double value)
{
    if (!qIsFinite(value))
        return QStringLiteral("-");
    const QString rounded = QString::number(value, 'g', 3);
    if (rounded.contains(QLatin1Char('e')))
        return rounded;
    const double shown = rounded.toDouble(); // 0.99996 is 1.00, not 1.000
    const int magnitude
        = shown == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(shown))));
    return QString::number(shown, 'f', std::max(0, 2 - magnitude));
}

// "Speaker impedance: 8 Ω", or "Speaker impedance: -" when it is not known.
QString label(const QString& caption, double value, const QString& unit, int precision = 6)
{
    return caption + number(value, precision) + (qIsNaN(value) ? QString() : unit);
}
}

int Configuration::findAmplifier(const QVector<AmplifierRecord>& amplifiers, const QString& name,
    double impedance, const QString& mode, const QVector<int>* lines)
{
    const int count = lines ? lines->size() : amplifiers.size();
    for (int i = 0; i < count; ++i) {
        const int row = lines ? lines->at(i) : i;
        if (amplifiers.at(row).matches(name, impedance, mode))
            return row;
    }
    return -1;
}

Configuration Configuration::calculate(const Catalogue& catalogue, int cabinet, int count,
    const QString& amplifier, const QString& mode, const QVector<int>* lines)
{
    Configuration c;
    c.cabinet = cabinet;
    c.count = count;
    c.amplifier = amplifier;
    c.mode = mode;
    if (cabinet < 0 || cabinet >= catalogue.cabinets.size() || count < 1)
        return c;
    const auto inDoubt = [&](int problem) {
        if (problem < 0)
            return false;
        c.refusal = LineInDoubt;
        c.doubt = catalogue.problems.at(problem);
        return true;
    };

    const CabinetRecord& chosen = catalogue.cabinets.at(cabinet);
    c.cabinetName = chosen.name;
    if (inDoubt(catalogue.cabinetDoubts.value(cabinet, -1)))
        return c;
    c.imp_spk = chosen.impedance;
    c.pow_spk = chosen.program_power;
    c.imp_equiv = c.imp_spk / count;
    c.pow_equiv = count * c.pow_spk;
    // A load below 4 ohms is sought at 4 ohms, so that it is refused the same
    // way whatever was chosen before.
    c.imp_amp = c.imp_equiv >= 8.0 ? 8.0 : 4.0;

    const auto find = [&](const QString& key) {
        return findAmplifier(catalogue.amplifiers, amplifier, c.imp_amp, key, lines);
    };
    c.row = find(QStringLiteral("NO"));
    c.modeSwitch = c.row < 0;
    if (c.modeSwitch)
        c.row = find(mode);
    if (c.row < 0) {
        c.refusal = Unsupported;
        return c;
    }
    if (inDoubt(catalogue.amplifierDoubts.value(c.row, -1)))
        return c;
    const AmplifierRecord& matched = catalogue.amplifiers.at(c.row);
    c.max_voltage = QString::number(matched.max_voltage, 'g', 6).toDouble();
    c.amp_gain = matched.gain;
    if (c.imp_equiv < lowestImpedance) {
        c.refusal = LowImpedance;
        return c;
    }
    c.refusal = Accepted;
    c.threshold = matched.threshold(c.pow_equiv, c.imp_equiv, c.at_max);
    return c;
}

QStringList Configuration::labelTexts() const
{
    return {
        label(QStringLiteral("Speaker impedance: "), imp_spk, ohm),
        label(QStringLiteral("Speaker program power: "), pow_spk, QStringLiteral(" W")),
        label(QStringLiteral("Equivalent impedance: "), imp_equiv, ohm, 2),
        label(QStringLiteral("Equivalent program power: "), pow_equiv, QStringLiteral(" W")),
        label(QStringLiteral("Max program voltage: "), max_voltage, QStringLiteral(" V")),
        label(QStringLiteral("Amplifier gain: "), amp_gain, QStringLiteral(" dB")),
    };
}

// A threshold below the floor, or no level at all (no power, or a negative
// one), shows as "-", never as "nan dBu".
bool Configuration::thresholdShown() const { return threshold >= displayFloor; }

QString Configuration::thresholdText() const
{
    if (!thresholdShown())
        return QStringLiteral("-");
    // Two significant digits, and from 10 dBu up one decimal: never more than
    // 0.05 dB away from the level worked out.
    return QString::number(threshold, threshold < 10.0 ? 'g' : 'f', threshold < 10.0 ? 2 : 1)
        + QStringLiteral(" dBu");
}

QString Configuration::thresholdDetails() const
{
    if (!thresholdShown())
        return QString();
    return QStringLiteral("%1 dBV, %2 V rms at the amplifier's input; the output is held at %3 V")
        .arg(thresholdDbvText(), thresholdVoltsText(), heldVoltageText());
}

QString Configuration::warningText() const
{
    switch (refusal) {
    case Unsupported:
        return QStringLiteral("This amplifier configuration is not supported");
    case LowImpedance:
        return QStringLiteral("Equivalent impedance is below 4\u03A9!");
    case LineInDoubt:
        return QStringLiteral("This catalogue line cannot be used");
    default:
        return QString();
    }
}

QString Configuration::warningDetails() const
{
    switch (refusal) {
    case Unsupported:
        return QStringLiteral("Please, check the selection");
    case LowImpedance:
        return QStringLiteral(
            "In order to protect the amplifier, we don't recommend this configuration");
    case LineInDoubt:
        return doubt.listed()
            + QStringLiteral("\n\nCorrect the line in the catalogue file, then read the "
                             "catalogue again.");
    default:
        return QString();
    }
}

QString Configuration::reason() const
{
    switch (refusal) {
    case Unsupported:
        return QStringLiteral("no data at %1%2 %3").arg(imp_amp).arg(ohm, mode);
    case LowImpedance:
        return QStringLiteral("below 4") + ohm;
    case LineInDoubt:
        return QStringLiteral("%1:%2").arg(QFileInfo(doubt.path).fileName()).arg(doubt.line);
    default:
        return QString();
    }
}

// 0 dBV is 1 V: the dBu reference is 20·log10(0.7746) = -2.218 dBV.
double Configuration::thresholdDbv() const
{
    return threshold + 20.0 * std::log10(AmplifierRecord::dbuReference);
}

double Configuration::thresholdVolts() const
{
    return AmplifierRecord::dbuReference * std::pow(10.0, threshold / 20.0);
}

double Configuration::heldVoltage() const
{
    return AmplifierRecord::dbuReference * std::pow(10.0, (threshold + amp_gain) / 20.0);
}

QString Configuration::thresholdDbvText() const
{
    return thresholdShown() ? threeDigits(thresholdDbv()) : QStringLiteral("-");
}

QString Configuration::thresholdVoltsText() const
{
    return thresholdShown() ? threeDigits(thresholdVolts()) : QStringLiteral("-");
}

QString Configuration::heldVoltageText() const { return threeDigits(heldVoltage()); }
