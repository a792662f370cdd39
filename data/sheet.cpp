// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"
#include "plaintext.h"

#include <QIODevice>
#include <QtNumeric>

#include <algorithm>

namespace {

QString shortNumber(double value, int precision = 6)
{
    return qIsNaN(value) ? QString() : QString::number(value, 'g', precision);
}

QString fullNumber(double value)
{
    return qIsFinite(value) ? QString::number(value, 'g', 17) : QString();
}

// The texts of one row, as the window would show them; a refused row has only
// its selection and the warning.
QStringList texts(const Configuration& c)
{
    const bool accepted = c.refusal == Configuration::Accepted;
    const QString mode = c.modeSwitch ? c.mode : QStringLiteral("-");
    if (!accepted)
        return { c.cabinetName, QString::number(c.count), QString(), QString(), c.amplifier, mode,
            QString(), QString(), QString(), QString(), QString(), QString(), QString(),
            c.warningText() + (c.doubt.isEmpty() ? QString() : QStringLiteral(": ") + c.doubt) };
    return { c.cabinetName, QString::number(c.count), shortNumber(c.imp_equiv, 2),
        shortNumber(c.pow_equiv), c.amplifier, mode, shortNumber(c.max_voltage),
        shortNumber(c.amp_gain), c.thresholdText(),
        c.at_max ? QStringLiteral("yes") : QStringLiteral("no"), c.thresholdDbvText(),
        c.thresholdVoltsText(), c.heldVoltageText(), QString() };
}

QString quoted(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))
        && !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QLatin1String("\"\""))
        + QLatin1Char('"');
}

}

QVector<Configuration> Sheet::selections(
    const Catalogue& catalogue, const QStringList& cabinets, const QStringList& amplifiers)
{
    QStringList models;
    for (const QString& model : catalogue.amplifierModels) {
        if (!models.contains(model) && (amplifiers.isEmpty() || amplifiers.contains(model)))
            models.append(model);
    }
    // Each model's own lines, in file order: the lookup finds the same first
    // line in them as in the whole table, without walking it for every row.
    QVector<QVector<int>> lines(models.size());
    for (int row = 0; row < catalogue.amplifiers.size(); ++row) {
        const int model = models.indexOf(catalogue.amplifiers.at(row).name);
        if (model >= 0)
            lines[model].append(row);
    }
    QVector<Configuration> rows;
    for (int cabinet = 0; cabinet < catalogue.cabinets.size(); ++cabinet) {
        if (!cabinets.isEmpty() && !cabinets.contains(catalogue.cabinets.at(cabinet).name))
            continue;
        for (int count = 1; count <= 4; ++count) {
            for (int model = 0; model < models.size(); ++model) {
                const auto calculate = [&](const QString& mode) {
                    return Configuration::calculate(
                        catalogue, cabinet, count, models.at(model), mode, &lines.at(model));
                };
                const Configuration stereo = calculate(QStringLiteral("ST"));
                rows.append(stereo);
                if (stereo.modeSwitch)
                    rows.append(calculate(QStringLiteral("BTL")));
            }
        }
    }
    return rows;
}

QString Sheet::table(const QVector<Configuration>& rows)
{
    QVector<QStringList> cells { { QStringLiteral("Cabinet"), QStringLiteral("Count"),
        QStringLiteral("Impedance (\u03A9)"), QStringLiteral("Power (W)"),
        QStringLiteral("Amplifier"), QStringLiteral("Mode"), QStringLiteral("Voltage (V)"),
        QStringLiteral("Gain (dB)"), QStringLiteral("Threshold"), QStringLiteral("At max"),
        QStringLiteral("dBV"), QStringLiteral("Input (V)"), QStringLiteral("Output (V)"),
        QStringLiteral("Refused") } };
    for (const Configuration& row : rows) {
        QStringList line = texts(row);
        for (QString& cell : line)
            cell = PlainText::escaped(cell);
        cells.append(line);
    }
    QVector<int> widths(cells.first().size(), 0);
    for (const QStringList& line : cells) {
        for (int i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], static_cast<int>(line.at(i).size()));
    }
    QString out;
    for (const QStringList& line : cells) {
        QString text;
        for (int i = 0; i < line.size(); ++i)
            text += line.at(i).leftJustified(widths.at(i) + 2);
        out += text.trimmed() + QLatin1Char('\n');
    }
    return out;
}

QString Sheet::csv(const QVector<Configuration>& rows)
{
    const QStringList header { QStringLiteral("cabinet"), QStringLiteral("count"),
        QStringLiteral("impedance"), QStringLiteral("power"), QStringLiteral("amplifier"),
        QStringLiteral("mode"), QStringLiteral("voltage"), QStringLiteral("gain"),
        QStringLiteral("threshold"), QStringLiteral("at_max"), QStringLiteral("threshold_dbv"),
        QStringLiteral("threshold_v"), QStringLiteral("output_v"), QStringLiteral("refused"),
        QStringLiteral("impedance_ohm"), QStringLiteral("power_w"), QStringLiteral("voltage_v"),
        QStringLiteral("gain_db"), QStringLiteral("threshold_dbu"),
        QStringLiteral("threshold_dbv_exact"), QStringLiteral("threshold_v_exact"),
        QStringLiteral("output_v_exact") };
    QString out = header.join(QLatin1Char(',')) + QLatin1String("\r\n");
    for (const Configuration& row : rows) {
        QStringList fields = texts(row);
        if (row.refusal == Configuration::Accepted)
            fields << fullNumber(row.imp_equiv) << fullNumber(row.pow_equiv)
                   << fullNumber(row.max_voltage) << fullNumber(row.amp_gain)
                   << fullNumber(row.threshold) << fullNumber(row.thresholdDbv())
                   << fullNumber(row.thresholdVolts()) << fullNumber(row.heldVoltage());
        else
            fields << QString() << QString() << QString() << QString() << QString() << QString()
                   << QString() << QString();
        fields[0] = PlainText::defused(fields.at(0));
        fields[4] = PlainText::defused(fields.at(4));
        for (QString& field : fields)
            field = quoted(PlainText::escaped(field));
        out += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    return out;
}

bool Sheet::write(QIODevice& device, const Catalogue& catalogue, Format format)
{
    const QVector<Configuration> rows = selections(catalogue);
    const QByteArray bytes = (format == Csv ? csv(rows) : table(rows)).toUtf8();
    return device.write(bytes) == bytes.size();
}
