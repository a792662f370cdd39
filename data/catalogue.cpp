// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

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

// Consecutive lines mostly repeat a model name or mode: they then share the
// previous line's string rather than each holding a copy.
QString text(Field field, const QString& previous)
{
    return field == previous ? previous : field.toString();
}

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
        table.append(CabinetRecord(f[1].toInt(), f[2].toInt(), f[0].toString()));
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
    const AmplifierRecord none(QString(), 0, QString(), 0.0, 0.0, 0);
    while (in.readLineInto(&line)) {
        const auto f = leadingFields<6>(line);
        const AmplifierRecord& previous = table.isEmpty() ? none : table.constLast();
        table.append(AmplifierRecord(text(f[0], previous.name), f[1].toInt(),
            text(f[2], previous.mode), f[3].toDouble(), f[4].toDouble(), f[5].toInt()));
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
