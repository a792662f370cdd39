// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"
#include "plaintext.h"
#include "units.h"

#include <QIODevice>
#include <QLocale>
#include <QtNumeric>

#include <algorithm>

namespace {

using Cell = QString (*)(const Configuration&);
// A column's header and its text for a row; a refused row has only the
// selection and the refusal, so the other cells are left empty for it.
struct Column {
    const char* header;
    Cell cell;
    bool refusedToo = false;
};

QString text(const Column& column, const Configuration& c)
{
    return column.refusedToo || c.accepted() ? column.cell(c) : QString();
}

QString shortNumber(double value, int precision = 6)
{
    return qIsFinite(value) ? Units::number(value, precision, 9) : QString();
}

// The shortest text that reads back as the same number.
QString fullNumber(double value)
{
    return qIsFinite(value) ? QString::number(value, 'g', QLocale::FloatingPointShortest)
                            : QString();
}

QString cabinet(const Configuration& c) { return c.cabinetName; }
QString count(const Configuration& c) { return QString::number(c.count); }
QString amplifier(const Configuration& c) { return c.amplifier; }
QString mode(const Configuration& c) { return c.modeSwitch ? c.mode : QStringLiteral("-"); }
QString threshold(const Configuration& c) { return c.thresholdText(); }
QString dbv(const Configuration& c) { return c.thresholdDbvText(); }
QString atMax(const Configuration& c)
{
    return c.at_max ? QStringLiteral("yes") : QStringLiteral("no");
}
QString reason(const Configuration& c) { return c.reason(); }

const Column tableColumns[] = {
    { "Cabinet", cabinet, true },
    { "Count", count, true },
    { "Amplifier", amplifier, true },
    { "Mode", mode, true },
    { "Threshold", threshold },
    { "dBV", dbv },
    { "At max", atMax },
    { "Refused", reason, true },
};

// The window's texts, then the same numbers in full.
const Column csvColumns[] = {
    { "cabinet", cabinet, true },
    { "count", count, true },
    { "impedance", [](const Configuration& c) { return shortNumber(c.imp_equiv, 2); } },
    { "power", [](const Configuration& c) { return shortNumber(c.pow_equiv); } },
    { "amplifier", amplifier, true },
    { "mode", mode, true },
    { "voltage", [](const Configuration& c) { return shortNumber(c.max_voltage); } },
    { "gain", [](const Configuration& c) { return shortNumber(c.amp_gain); } },
    { "threshold", threshold },
    { "at_max", atMax },
    { "threshold_dbv", dbv },
    { "threshold_v", [](const Configuration& c) { return c.thresholdVoltsText(); } },
    { "output_v", [](const Configuration& c) { return c.heldVoltageText(); } },
    { "refused", [](const Configuration& c) { return c.warningText(); }, true },
    { "impedance_ohm", [](const Configuration& c) { return fullNumber(c.imp_equiv); } },
    { "power_w", [](const Configuration& c) { return fullNumber(c.pow_equiv); } },
    { "voltage_v", [](const Configuration& c) { return fullNumber(c.max_voltage); } },
    { "gain_db", [](const Configuration& c) { return fullNumber(c.amp_gain); } },
    { "threshold_dbu", [](const Configuration& c) { return fullNumber(c.threshold); } },
    { "threshold_dbv_exact", [](const Configuration& c) { return fullNumber(c.thresholdDbv()); } },
    { "threshold_v_exact", [](const Configuration& c) { return fullNumber(c.thresholdVolts()); } },
    { "output_v_exact", [](const Configuration& c) { return fullNumber(c.heldVoltage()); } },
    { "reason", reason, true },
};

QString csvField(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))
        && !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QLatin1String("\"\""))
        + QLatin1Char('"');
}

QString csvLine(const Configuration* c)
{
    QStringList fields;
    for (const Column& column : csvColumns) {
        if (!c) {
            fields << QLatin1String(column.header);
            continue;
        }
        QString field = PlainText::escaped(text(column, *c));
        if (column.cell == cabinet || column.cell == amplifier)
            field = PlainText::defused(field);
        fields << csvField(field);
    }
    return fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

// Each column as wide as its header or its widest text, where the texts are
// known before the rows: the names and the fixed ones.
QVector<int> tableWidths(const Catalogue& catalogue, const Sheet::Filter& filter)
{
    QVector<int> widths;
    for (const Column& column : tableColumns)
        widths << static_cast<int>(qstrlen(column.header));
    const auto widen = [&](int column, const QString& name) {
        widths[column] = std::max(widths.at(column), int(PlainText::escaped(name).size()));
    };
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        if (filter.takesCabinet(cabinet.name))
            widen(0, cabinet.name);
    for (const QString& model : catalogue.amplifierModels)
        if (filter.takesAmplifier(model))
            widen(2, model);
    widen(4, QStringLiteral("-10.0 dBu")); // thresholds from the floor to 999.9 dBu
    widen(5, QStringLiteral("-12.2 dBV"));
    return widths;
}

QString tableLine(const Configuration* c, const QVector<int>& widths)
{
    QString line;
    for (int i = 0; i < widths.size(); ++i) {
        const Column& column = tableColumns[i];
        const QString cell
            = c ? PlainText::escaped(text(column, *c)) : QString::fromLatin1(column.header);
        line += i + 1 < widths.size() ? cell.leftJustified(widths.at(i) + 2) : cell;
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

}

void Sheet::forEach(const Catalogue& catalogue, const Filter& filter,
    const std::function<bool(const Configuration&)>& visit)
{
    QVector<const Catalogue::Model*> models;
    for (const Catalogue::Model& model : catalogue.models)
        if (filter.takesAmplifier(model.name))
            models.append(&model);
    const auto show = [&](const Configuration& c) {
        return (filter.acceptedOnly && !c.accepted()) || visit(c);
    };
    for (int cabinet = 0; cabinet < catalogue.cabinets.size(); ++cabinet) {
        if (!filter.takesCabinet(catalogue.cabinets.at(cabinet).name))
            continue;
        for (int count = 1; count <= 4; ++count) {
            for (const Catalogue::Model* model : models) {
                // A model without the switch has one row, whatever else goes wrong.
                const auto calculate = [&](const QString& mode) {
                    return Configuration::calculate(catalogue, cabinet, count, model->name, mode);
                };
                if (!show(calculate(QStringLiteral("ST")))
                    || (model->modeSwitch && !show(calculate(QStringLiteral("BTL")))))
                    return;
            }
        }
    }
}

bool Sheet::write(
    QIODevice& device, const Catalogue& catalogue, Format format, const Filter& filter, int* rows)
{
    const QVector<int> widths = format == Table ? tableWidths(catalogue, filter) : QVector<int>();
    const auto line = [&](const Configuration* c) {
        return format == Table ? tableLine(c, widths) : csvLine(c);
    };
    // Written in pieces: the first row at once, then about 64 KiB at a time.
    QByteArray pending = line(nullptr).toUtf8();
    bool written = true;
    int count = 0;
    const auto flush = [&] {
        written = device.write(pending) == pending.size();
        pending.clear();
        return written;
    };
    forEach(catalogue, filter, [&](const Configuration& c) {
        pending += line(&c).toUtf8();
        return (++count > 1 && pending.size() < 65536) || flush();
    });
    if (rows)
        *rows = count;
    return written && (pending.isEmpty() || flush());
}
