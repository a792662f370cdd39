// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <limits>

const QString Catalogue::cabinetFileName = QStringLiteral("data_spk.txt");
const QString Catalogue::amplifierFileName = QStringLiteral("data_amplis.txt");

namespace {

// Text in the locale's encoding unless a byte-order mark names a Unicode one.
void setUpStream(QTextStream& in)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    in.setEncoding(QStringConverter::System);
#endif
    in.setAutoDetectUnicode(true);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using Field = QStringView;
Field fieldOf(const QString& line, int start, int size)
{
    return QStringView(line).mid(start, size);
}
#else
using Field = QStringRef;
Field fieldOf(const QString& line, int start, int size) { return line.midRef(start, size); }
#endif

// The first `count` fields of a line cut at every comma, as views into it;
// fields the line does not reach are empty. Nothing is copied, so a long line
// with many commas costs no more than reading it.
template <int count> std::array<Field, count> leadingFields(const QString& line)
{
    std::array<Field, count> fields;
    int start = 0;
    for (Field& field : fields) {
        if (start > line.size())
            break;
        int comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            comma = line.size();
        field = fieldOf(line, start, comma - start);
        start = comma + 1;
    }
    return fields;
}

// The numbers QString::toInt and toDouble read, worked out here when a field is
// plain digits, as nearly all are, which is where reading spent most of its
// time; anything else is left to Qt.
int toInt(Field field)
{
    if (field.isEmpty() || field.size() > 9)
        return field.toInt();
    int value = 0;
    for (const QChar c : field) {
        const unsigned digit = c.unicode() - '0';
        if (digit > 9)
            return field.toInt();
        value = value * 10 + static_cast<int>(digit);
    }
    return value;
}

// Digits with at most one full stop between them, 15 digits at most: both the
// digits as a whole number and the power of ten are exact doubles, so their
// quotient is the correctly rounded value, as Qt reads it.
double toDouble(Field field)
{
    static const double powersOfTen[]
        = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    qint64 digits = 0;
    int count = 0;
    int decimals = -1; // no full stop yet
    for (const QChar c : field) {
        if (c == QLatin1Char('.') && decimals < 0 && count > 0) {
            decimals = 0;
            continue;
        }
        const unsigned digit = c.unicode() - '0';
        if (digit > 9 || ++count > 15)
            return field.toDouble();
        digits = digits * 10 + digit;
        if (decimals >= 0)
            ++decimals;
    }
    if (count == 0 || decimals == 0)
        return field.toDouble();
    return static_cast<double>(digits) / powersOfTen[std::max(decimals, 0)];
}

// Consecutive lines mostly repeat a model name: they then share the previous
// line's string rather than each holding a copy.
QString text(Field field, const QString& previous)
{
    return field == previous ? previous : field.toString();
}

// A file holds only a few different modes: each line shares the string of
// the first line with its mode rather than holding a copy.
class Modes {
public:
    QString text(Field field)
    {
        for (const QString& mode : seen) {
            if (field == mode)
                return mode;
        }
        const QString mode = field.toString();
        if (seen.size() < seen.capacity())
            seen.append(mode);
        return mode;
    }

private:
    QVarLengthArray<QString, 8> seen;
};

// How many lines a file that can be read again holds, at most: the tables are
// then allocated once instead of growing, which is most of the cost of a large
// first read. The device is left where it was.
int lineCount(QIODevice& device)
{
    if (device.isSequential())
        return 0;
    const qint64 start = device.pos();
    qint64 lines = 1;
    char chunk[1 << 16];
    qint64 got;
    while ((got = device.read(chunk, sizeof chunk)) > 0)
        lines += std::count(chunk, chunk + got, '\n');
    device.seek(start);
    return static_cast<int>(std::min<qint64>(lines, std::numeric_limits<int>::max() / 64));
}

bool openText(QFile& file)
{
    // A directory opens on some systems but reads nothing: treat it as missing.
    if (QFileInfo(file.fileName()).isDir())
        return false;
    return file.open(QIODevice::ReadOnly | QIODevice::Text);
}

}

QVector<CabinetRecord> Catalogue::readCabinets(QIODevice& device)
{
    QVector<CabinetRecord> table;
    table.reserve(lineCount(device));
    QTextStream in(&device);
    setUpStream(in);
    in.readLine(); // header
    QString line;
    while (in.readLineInto(&line)) {
        const auto f = leadingFields<3>(line);
        table.append(CabinetRecord(toInt(f[1]), toInt(f[2]), f[0].toString()));
    }
    return table;
}

QVector<AmplifierRecord> Catalogue::readAmplifiers(QIODevice& device)
{
    QVector<AmplifierRecord> table;
    table.reserve(lineCount(device));
    QTextStream in(&device);
    setUpStream(in);
    in.readLine(); // header
    QString line;
    const QString none;
    Modes modes;
    while (in.readLineInto(&line)) {
        const auto f = leadingFields<6>(line);
        const QString& previous = table.isEmpty() ? none : table.constLast().name;
        table.append(AmplifierRecord(text(f[0], previous), toInt(f[1]), modes.text(f[2]),
            toDouble(f[3]), toDouble(f[4]), toInt(f[5])));
    }
    return table;
}

QStringList Catalogue::modelNames(const QVector<AmplifierRecord>& amplifiers)
{
    QStringList names;
    QString previous_name = QStringLiteral("VACIO"); // no line seen yet
    for (const AmplifierRecord& record : amplifiers) {
        if (record.name != previous_name)
            names.append(record.name);
        previous_name = record.name;
    }
    return names;
}

Catalogue Catalogue::load(const QString& cabinetFile, const QString& amplifierFile)
{
    Catalogue catalogue;
    QFile cabinets(cabinetFile);
    if (!openText(cabinets))
        return catalogue;
    catalogue.cabinetFileOpened = true;
    catalogue.cabinets = readCabinets(cabinets);
    cabinets.close();

    QFile amplifiers(amplifierFile);
    if (!openText(amplifiers))
        return catalogue;
    catalogue.amplifierFileOpened = true;
    catalogue.amplifiers = readAmplifiers(amplifiers);
    catalogue.amplifierModels = modelNames(catalogue.amplifiers);
    return catalogue;
}
