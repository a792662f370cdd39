// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the catalogue loader, as the cabinet file and as the
// amplifier file, checks every row against the plainest reading of the same
// bytes, and runs the lookup and the arithmetic over every row read.
#include "amplifierindex.h"
#include "catalogue.h"

#include <QBuffer>
#include <QTextStream>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

template <typename Read> auto readFrom(const QByteArray& bytes, Read read)
{
    QByteArray file = bytes;
    QBuffer buffer(&file);
    if (!buffer.open(QIODevice::ReadOnly | QIODevice::Text))
        fail("cannot open the buffer");
    return read(buffer);
}

// The loader's rules read the simple way: after the header, every line split
// at every comma.
QVector<QStringList> referenceLines(const QByteArray& bytes)
{
    QByteArray file = bytes;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream in(&buffer);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    in.setEncoding(QStringConverter::System);
#endif
    in.setAutoDetectUnicode(true);
    in.readLine();
    QVector<QStringList> lines;
    while (!in.atEnd())
        lines.append(in.readLine().split(QLatin1Char(',')));
    return lines;
}

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void checkRows(const QVector<QStringList>& lines, const QVector<CabinetRecord>& cabinets,
    const QVector<AmplifierRecord>& amplifiers)
{
    if (cabinets.size() != lines.size() || amplifiers.size() != lines.size())
        fail("not one row per line");
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList& f = lines.at(row);
        const CabinetRecord& cabinet = cabinets.at(row);
        if (cabinet.name != f.value(0) || cabinet.program_power != f.value(1).toInt()
            || cabinet.impedance != f.value(2).toInt())
            fail("a cabinet row differs from its line");
        const AmplifierRecord& amplifier = amplifiers.at(row);
        if (amplifier.name != f.value(0) || amplifier.impedance != f.value(1).toInt()
            || amplifier.mode != f.value(2) || !same(amplifier.max_voltage, f.value(3).toDouble())
            || !same(amplifier.max_level, f.value(4).toDouble())
            || amplifier.gain != f.value(5).toInt())
            fail("an amplifier row differs from its line");
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QVector<CabinetRecord> cabinets = readFrom(bytes, Catalogue::readCabinets);
    const QVector<AmplifierRecord> amplifiers = readFrom(bytes, Catalogue::readAmplifiers);
    checkRows(referenceLines(bytes), cabinets, amplifiers);
    const QStringList models = Catalogue::modelNames(amplifiers);
    if (models.size() > amplifiers.size())
        fail("the model list does not follow the lines");

    const AmplifierIndex index(amplifiers);
    volatile double sink = 0;
    for (int row = 0; row < amplifiers.size(); ++row) {
        const AmplifierRecord& amplifier = amplifiers.at(row);
        if (!amplifier.matches(amplifier.name, amplifier.impedance, amplifier.mode))
            fail("a line does not match itself");
        const int first
            = index.find(amplifiers, amplifier.name, amplifier.impedance, amplifier.mode);
        if (first < 0 || first > row
            || !amplifiers.at(first).matches(amplifier.name, amplifier.impedance, amplifier.mode))
            fail("the index does not give the first matching line");
        if (cabinets.isEmpty())
            continue;
        const CabinetRecord& cabinet = cabinets.at(row % cabinets.size());
        for (int count = 1; count <= 4; ++count) {
            bool at_max = false;
            sink = sink
                + amplifier.threshold(static_cast<double>(count) * cabinet.program_power,
                    static_cast<double>(cabinet.impedance) / count, at_max);
        }
    }
    for (const CabinetRecord& cabinet : cabinets)
        sink = sink + index.find(amplifiers, cabinet.name, cabinet.impedance, QStringLiteral("NO"));
    return 0;
}
