// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

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

// The first `count` fields of a line cut at every comma; fields the line does
// not reach are empty. Only the wanted fields are copied, so a long line with
// many commas costs no more than reading it.
QStringList leadingFields(const QString& line, int count)
{
    QStringList fields;
    fields.reserve(count);
    int start = 0;
    while (fields.size() < count) {
        if (start > line.size()) {
            fields.append(QString());
            continue;
        }
        int comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            comma = line.size();
        fields.append(line.mid(start, comma - start));
        start = comma + 1;
    }
    return fields;
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
    QTextStream in(&device);
    setUpStream(in);
    in.readLine(); // header
    while (!in.atEnd()) {
        const QStringList f = leadingFields(in.readLine(), 3);
        table.append(CabinetRecord(f[1].toInt(), f[2].toInt(), f[0]));
    }
    return table;
}

QVector<AmplifierRecord> Catalogue::readAmplifiers(QIODevice& device)
{
    QVector<AmplifierRecord> table;
    QTextStream in(&device);
    setUpStream(in);
    in.readLine(); // header
    while (!in.atEnd()) {
        const QStringList f = leadingFields(in.readLine(), 6);
        table.append(AmplifierRecord(
            f[0], f[1].toInt(), f[2], f[3].toDouble(), f[4].toDouble(), f[5].toInt()));
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
