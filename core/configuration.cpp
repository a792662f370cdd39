// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration.h"
#include "limiterrules.h"
#include "units.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {
const double lowestImpedance = 4.0; // ohms
const double displayFloor = -10.0; // dBu

// "Speaker impedance: 8 Ω", or "Speaker impedance: -" when it is not known.
QString label(const QString& caption, const QString& value) { return caption + value; }

// "4 Ω BTL": the rated load and mode an amplifier line is sought at.
QString ratedLoad(const Configuration& c)
{
    return Units::ohms(c.imp_amp)
        + (c.mode.hasSwitch() ? QLatin1Char(' ') + c.mode.key() : QString());
}

bool readable(const AmplifierRecord& line) { return line.impedance() > 0 && line.mode(); }
}

int Configuration::findAmplifier(const QVector<AmplifierRecord>& amplifiers,
    const QVector<int>& lines, const QString& name, double impedance, Mode mode)
{
    for (const int row : lines)
        if (amplifiers.at(row).matches(name, impedance, mode))
            return row;
    return -1;
}

Configuration Configuration::calculate(
    const Catalogue& catalogue, int cabinet, int count, const QString& amplifier, Mode mode)
{
    Configuration c;
    c.cabinet = cabinet;
    c.count = count;
    c.amplifier = amplifier;
    const Catalogue::Model* model = catalogue.model(amplifier);
    c.mode = !model || model->modeSwitch ? mode : Mode::Switchless;
    if (cabinet < 0 || cabinet >= catalogue.cabinets.size() || count < 1)
        return c;
    const auto refuse = [&](Refusal refusal, const CatalogueProblem& doubt = {}) {
        c.refusal = refusal;
        c.doubt = doubt;
        return c;
    };

    const CabinetRecord& chosen = catalogue.cabinets.at(cabinet);
    c.cabinetName = chosen.name();
    if (chosen.inDoubt())
        return refuse(LineInDoubt, chosen.doubt());
    c.imp_spk = chosen.impedance();
    c.pow_spk = chosen.programPower();
    c.imp_equiv = c.imp_spk / count;
    c.pow_equiv = count * c.pow_spk;
    if (c.imp_equiv < lowestImpedance)
        return refuse(LowImpedance);
    c.imp_amp = c.imp_equiv >= 8.0 ? 8.0 : 4.0;

    if (model)
        c.row = findAmplifier(catalogue.amplifiers, model->lines, amplifier, c.imp_amp, c.mode);
    if (c.row < 0) {
        // A line of the model that could not be read may be the one meant.
        for (const int row : model ? model->lines : QVector<int>())
            if (!readable(catalogue.amplifiers.at(row)))
                return refuse(LineInDoubt, catalogue.amplifiers.at(row).doubt());
        return refuse(Unsupported);
    }
    const AmplifierRecord& matched = catalogue.amplifiers.at(c.row);
    if (matched.inDoubt())
        return refuse(LineInDoubt, matched.doubt());
    c.max_voltage = matched.maxVoltage();
    c.amp_gain = matched.gain();
    c.threshold = matched.threshold(c.pow_equiv, c.imp_equiv, c.at_max);
    if (c.threshold < displayFloor)
        return refuse(BelowFloor);
    c.calculateLimiterSet(chosen, matched);
    return refuse(Accepted);
}

void Configuration::calculateLimiterSet(
    const CabinetRecord& cabinet, const AmplifierRecord& amplifier)
{
    peak_assumed = !(cabinet.peakPower() > 0);
    peak_power = peak_assumed ? LimiterRules::assumedPeakPower(pow_spk) : cabinet.peakPower();
    const double peakEquiv = count * peak_power;
    // Capped where the RMS threshold is, at the amplifier's maximum level: a
    // sine's, which peaks at √2 × that level's RMS voltage.
    peak_threshold
        = amplifier.threshold(LimiterRules::sinePower(peakEquiv), imp_equiv, peak_at_max);
    peak_volts = peak_at_max ? LimiterRules::sinePeak(
                     AmplifierRecord::dbuReference * std::pow(10.0, amplifier.maxLevel() / 20.0))
                             : LimiterRules::peakVoltage(peakEquiv, imp_equiv);
    high_pass = cabinet.highPass();
    attack_ms = LimiterRules::attack(high_pass);
    release_ms = LimiterRules::release(attack_ms);
}

QString Configuration::summary() const
{
    QString told = QStringLiteral("%1 \u00d7 %2 on %3").arg(count).arg(cabinetName, amplifier);
    if (mode.hasSwitch())
        told += QStringLiteral(", ") + mode.text();
    return told + QStringLiteral(": ") + thresholdText();
}

QStringList Configuration::labelTexts() const
{
    return {
        label(QStringLiteral("Speaker impedance: "), Units::ohms(imp_spk)),
        label(QStringLiteral("Speaker program power: "), Units::watts(pow_spk)),
        label(QStringLiteral("Equivalent impedance: "), Units::ohms(imp_equiv, 2)),
        label(QStringLiteral("Equivalent program power: "), Units::watts(pow_equiv)),
        label(QStringLiteral("Max program voltage: "), Units::volts(max_voltage)),
        label(QStringLiteral("Amplifier gain: "), Units::decibels(amp_gain)),
    };
}

// A threshold below the floor, or no level at all (no power, or a negative
// one), shows as "-", never as "nan dBu".
bool Configuration::thresholdShown() const { return threshold >= displayFloor; }

QString Configuration::thresholdText() const
{
    return thresholdShown() ? Units::dbu(threshold) : QStringLiteral("-");
}

QString Configuration::thresholdDetails() const
{
    if (refusal == BelowFloor)
        return QStringLiteral("The threshold is below the -10 dBu Vantor shows; check the "
                              "cabinet's power and the amplifier's gain.");
    if (!thresholdShown())
        return QString();
    return QStringLiteral("%1, %2 rms at the amplifier's input; the output is held at %3")
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
    case Unsupported: // what is missing, as the catalogue would name it
        return QStringLiteral("Please, check the selection\n\nNo data for ") + ratedLoad(*this)
            + QStringLiteral(" in ") + Catalogue::amplifierFileName + QLatin1Char('.');
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
        return QStringLiteral("no data at ") + ratedLoad(*this);
    case LowImpedance:
        return QStringLiteral("below ") + Units::ohms(lowestImpedance);
    case LineInDoubt:
        return QStringLiteral("%1:%2").arg(
            QFileInfo(doubt.path).fileName(), QString::number(doubt.line));
    case BelowFloor:
        return QStringLiteral("below ") + Units::dbu(displayFloor);
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
    return thresholdShown() ? Units::dbv(thresholdDbv()) : QStringLiteral("-");
}

QString Configuration::thresholdVoltsText() const
{
    return thresholdShown() ? Units::voltsWorkedOut(thresholdVolts()) : QStringLiteral("-");
}

QString Configuration::heldVoltageText() const
{
    return thresholdShown() ? Units::voltsWorkedOut(heldVoltage()) : QStringLiteral("-");
}

QString Configuration::peakThresholdText() const
{
    return accepted() ? Units::dbu(peak_threshold) : QStringLiteral("-");
}

QString Configuration::peakVoltsText() const
{
    return accepted() ? Units::voltsPeak(peak_volts) : QStringLiteral("-");
}

QString Configuration::peakBasis() const
{
    if (!accepted())
        return QString();
    return peak_assumed
        ? QStringLiteral("assumed: %1 \u00d7 program power").arg(LimiterRules::assumedPeakFactor)
        : QStringLiteral("peak rating ") + Units::watts(peak_power);
}

QString Configuration::attackText() const { return Units::milliseconds(attack_ms); }

QString Configuration::releaseText() const { return Units::milliseconds(release_ms); }

QString Configuration::noTimesReason() const
{
    return accepted() && qIsNaN(attack_ms)
        ? QStringLiteral("no high-pass frequency in the catalogue")
        : QString();
}
