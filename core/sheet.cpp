// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"
#include "limiterrules.h"
#include "plaintext.h"
#include "units.h"

#include <QIODevice>
#include <QLocale>
#include <QSet>
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

// The shortest text that reads back as the same number, in plain decimals:
// never an exponent, which a spreadsheet might take for text.
QString fullNumber(double value)
{
    return qIsFinite(value) ? QString::number(value, 'f', QLocale::FloatingPointShortest)
                            : QString();
}

QString cabinet(const Configuration& c) { return c.cabinetName; }
QString count(const Configuration& c) { return QString::number(c.count); }
QString amplifier(const Configuration& c) { return c.amplifier; }
QString mode(const Configuration& c)
{
    return c.mode.hasSwitch() ? c.mode.key() : QStringLiteral("-");
}
QString threshold(const Configuration& c) { return c.thresholdText(); }
QString dbv(const Configuration& c) { return c.thresholdDbvText(); }
QString yesNo(bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); }
QString atMax(const Configuration& c) { return yesNo(c.at_max); }
QString reason(const Configuration& c) { return c.reason(); }
QString attack(const Configuration& c) { return c.attackText(); }
QString release(const Configuration& c) { return c.releaseText(); }

// A level as the table gives it: its digits, the unit being in the header,
// then its marks, which the legend explains.
QString markedLevel(double level, bool atMax, bool assumed = false)
{
    QString marks;
    if (atMax)
        marks += QLatin1Char('*');
    if (assumed)
        marks += QLatin1Char('~');
    return Units::dbuNumber(level) + (marks.isEmpty() ? QString() : QLatin1Char(' ') + marks);
}

// A refused row has its reason where an accepted one has its threshold and
// what follows it. To fit 80 columns with the peak threshold and the times,
// the table gives neither dBV (the CSV has it) nor the dBu of each level, and
// marks a level at the amplifier's maximum, or a peak assumed, by a sign.
const Column tableColumns[] = {
    { "Cabinet", cabinet, true },
    { "Count", count, true },
    { "Amplifier", amplifier, true },
    { "Mode", mode, true },
    { "RMS dBu", [](const Configuration& c) { return markedLevel(c.threshold, c.at_max); } },
    { "Peak dBu",
        [](const Configuration& c) {
            return markedLevel(c.peak_threshold, c.peak_at_max, c.peak_assumed);
        } },
    { "Attack", attack },
    { "Release", release },
};
const int thresholdColumn = 4;
const int nameWidth = 24; // a longer name is elided
// What the table's signs and columns mean, after its rows.
QString tableLegend()
{
    return QStringLiteral(
        "\n"
        "*  at the amplifier's maximum output\n"
        "~  peak rating assumed: %1 \u00d7 program power\n"
        "Peak dBu: input level of a sine whose peak reaches the cabinets' peak voltage\n"
        "Attack and release from the cabinet's high-pass; \"-\" where none is given\n")
        .arg(LimiterRules::assumedPeakFactor);
}

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
    // The rest of the limiter set, after the columns callers already read.
    { "peak", [](const Configuration& c) { return c.peakThresholdText(); } },
    { "peak_at_max", [](const Configuration& c) { return yesNo(c.peak_at_max); } },
    { "peak_assumed", [](const Configuration& c) { return yesNo(c.peak_assumed); } },
    { "attack", attack },
    { "release", release },
    { "peak_dbu", [](const Configuration& c) { return fullNumber(c.peak_threshold); } },
    { "peak_vpk", [](const Configuration& c) { return fullNumber(c.peak_volts); } },
    { "attack_ms", [](const Configuration& c) { return fullNumber(c.attack_ms); } },
    { "release_ms", [](const Configuration& c) { return fullNumber(c.release_ms); } },
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

// Whether the filter takes each cabinet row, looked up once through a set,
// however many cabinets it names.
// A cabinet named on more than one line is taken once, at its first line: the
// same line twice gives the same rows, and lines that differ are both in doubt.
QVector<bool> cabinetsTaken(const Catalogue& catalogue, const Sheet::Filter& filter)
{
    const QSet<QString> named(filter.cabinets.cbegin(), filter.cabinets.cend());
    QSet<QString> seen;
    QVector<bool> taken;
    taken.reserve(catalogue.cabinets.size());
    for (const CabinetRecord& record : catalogue.cabinets) {
        taken.append(
            (named.isEmpty() || named.contains(record.name())) && !seen.contains(record.name()));
        seen.insert(record.name());
    }
    return taken;
}

// The models the filter takes, in the catalogue's order.
QVector<const Catalogue::Model*> modelsTaken(
    const Catalogue& catalogue, const Sheet::Filter& filter)
{
    const QSet<QString> named(filter.amplifiers.cbegin(), filter.amplifiers.cend());
    QVector<const Catalogue::Model*> taken;
    for (const Catalogue::Model& model : catalogue.models)
        if (named.isEmpty() || named.contains(model.name))
            taken.append(&model);
    return taken;
}

// A name as the table shows it: controls and tabs escaped, elided past 24 columns.
QString nameText(const QString& name)
{
    return Sheet::elided(PlainText::escaped(name).replace(QLatin1Char('\t'), "\\t"), nameWidth);
}

// A cell's text for a terminal; the header's without a row.
QString terminalText(const Column& column, const Configuration* c)
{
    if (!c)
        return QString::fromLatin1(column.header);
    return column.cell == cabinet || column.cell == amplifier
        ? nameText(text(column, *c))
        : PlainText::escaped(text(column, *c));
}

// Each column as wide as its header or its widest text, known before the
// rows: the names from the catalogue, the numbers from the widest texts their
// units take, so the rows are written as they are worked out. The last column
// is not padded.
QVector<int> tableWidths(const Catalogue& catalogue, const Sheet::Filter& filter)
{
    QVector<int> widths;
    for (const Column& column : tableColumns)
        widths << Sheet::displayWidth(terminalText(column, nullptr));
    const auto widen = [&](int column, const QString& text) {
        widths[column] = std::max(widths.at(column), Sheet::displayWidth(text));
    };
    const QVector<bool> taken = cabinetsTaken(catalogue, filter);
    for (int cabinet = 0; cabinet < catalogue.cabinets.size(); ++cabinet)
        if (taken.at(cabinet))
            widen(0, nameText(catalogue.cabinets.at(cabinet).name()));
    for (const Catalogue::Model* model : modelsTaken(catalogue, filter))
        widen(2, nameText(model->name));
    widen(thresholdColumn, QStringLiteral("-0.74 *")); // and up to 999.9 dBu
    widen(thresholdColumn + 1, QStringLiteral("-0.74 *~"));
    widen(thresholdColumn + 2, QStringLiteral("0.5 ms")); // the widest the rules give
    widen(thresholdColumn + 3, QStringLiteral("720 ms"));
    return widths;
}

QString tableLine(const Configuration* c, const QVector<int>& widths)
{
    const bool refused = c && !c->accepted();
    QString line;
    for (int i = 0; i < widths.size(); ++i) {
        if (refused && i == thresholdColumn) {
            line += QStringLiteral("refused: ") + PlainText::escaped(c->reason());
            break;
        }
        const QString cell = terminalText(tableColumns[i], c);
        line += cell;
        if (i + 1 < widths.size())
            line += QString(
                std::max(1, widths.at(i) + 2 - Sheet::displayWidth(cell)), QLatin1Char(' '));
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

// Where a terminal gives a character two columns: East Asian wide and
// fullwidth forms, and the emoji shown wide.
bool wide(uint u)
{
    return u >= 0x1100
        && (u <= 0x115F || u == 0x2329 || u == 0x232A || (u >= 0x2E80 && u <= 0xA4CF && u != 0x303F)
            || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF)
            || (u >= 0xFE10 && u <= 0xFE19) || (u >= 0xFE30 && u <= 0xFE6F)
            || (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6)
            || (u >= 0x1F300 && u <= 0x1F64F) || (u >= 0x1F900 && u <= 0x1F9FF)
            || (u >= 0x20000 && u <= 0x2FFFD) || (u >= 0x30000 && u <= 0x3FFFD));
}

// The text's code points, each with its width.
template <typename Visit> void codePoints(const QString& text, Visit visit)
{
    for (int i = 0; i < text.size(); ++i) {
        uint u = text.at(i).unicode();
        const int start = i;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const QChar::Category category = QChar::category(u);
        const int width = category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing
                || category == QChar::Other_Format
            ? 0
            : wide(u) ? 2
                      : 1;
        visit(start, i + 1 - start, width);
    }
}

}

int Sheet::displayWidth(const QString& text)
{
    int width = 0;
    codePoints(text, [&](int, int, int columns) { width += columns; });
    return width;
}

QString Sheet::elided(const QString& text, int width)
{
    if (displayWidth(text) <= width)
        return text;
    // Characters with the marks that follow them: a mark stays with its letter.
    struct Piece {
        int start, size, width;
    };
    QVector<Piece> pieces;
    codePoints(text, [&](int start, int size, int columns) {
        if (columns == 0 && !pieces.isEmpty()) {
            pieces.last().size += size;
        } else {
            pieces.append({ start, size, columns });
        }
    });
    int head = 0, tail = pieces.size(), used = 0;
    const int room = width - 1; // the ellipsis takes one
    while (head < tail && used + pieces.at(head).width <= (room + 1) / 2)
        used += pieces.at(head++).width;
    while (tail > head && used + pieces.at(tail - 1).width <= room)
        used += pieces.at(--tail).width;
    const int tailStart = tail < pieces.size() ? pieces.at(tail).start : text.size();
    const int headEnd = head > 0 ? pieces.at(head - 1).start + pieces.at(head - 1).size : 0;
    return text.left(headEnd) + QChar(0x2026) + text.mid(tailStart);
}

void Sheet::forEach(const Catalogue& catalogue, const Filter& filter,
    const std::function<bool(const Configuration&)>& visit)
{
    const QVector<const Catalogue::Model*> models = modelsTaken(catalogue, filter);
    const auto show = [&](const Configuration& c) {
        return !filter.takesMode(c) || (filter.acceptedOnly && !c.accepted()) || visit(c);
    };
    // The rows of one cabinet, count and model: its ST row, and its BTL row
    // where the model has the mode switch. A model without the switch has one
    // row, whatever else goes wrong. `first` and `second` say which to show.
    const auto rows
        = [&](int cabinet, int count, const Catalogue::Model* model, bool first, bool second) {
              const auto calculate = [&](Mode mode) {
                  return Configuration::calculate(catalogue, cabinet, count, model->name, mode);
              };
              return (!first || show(calculate(Mode::Stereo)))
                  && (!second || !model->modeSwitch || show(calculate(Mode::Bridge)));
          };
    const QVector<bool> cabinets = cabinetsTaken(catalogue, filter);
    const auto takes
        = [&](int cabinet, int count) { return cabinets.at(cabinet) && filter.takesCount(count); };
    if (filter.order == ByAmplifier) {
        for (const Catalogue::Model* model : models)
            for (const bool stereo : { true, false })
                for (int cabinet = 0; cabinet < catalogue.cabinets.size(); ++cabinet)
                    for (int count = 1; count <= 4; ++count)
                        if (takes(cabinet, count) && !rows(cabinet, count, model, stereo, !stereo))
                            return;
        return;
    }
    for (int cabinet = 0; cabinet < catalogue.cabinets.size(); ++cabinet) {
        for (int count = 1; count <= 4; ++count) {
            if (!takes(cabinet, count))
                continue;
            for (const Catalogue::Model* model : models)
                if (!rows(cabinet, count, model, true, true))
                    return;
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
    if (format == Table && written)
        pending += tableLegend().toUtf8();
    return written && (pending.isEmpty() || flush());
}
