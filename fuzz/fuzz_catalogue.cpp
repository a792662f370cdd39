// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the catalogue loader, as the cabinet file and as the
// amplifier file, and runs the lookup and the arithmetic over every row read.
#include "amplifierindex.h"
#include "catalogue.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QVector<CabinetRecord> cabinets = readFrom(bytes, Catalogue::readCabinets);
    const QVector<AmplifierRecord> amplifiers = readFrom(bytes, Catalogue::readAmplifiers);
    const QStringList models = Catalogue::modelNames(amplifiers);
    if (models.size() > amplifiers.size() || (models.isEmpty() && !amplifiers.isEmpty()))
        fail("the model list does not follow the lines");

    const AmplifierIndex index(amplifiers);
    volatile double sink = 0;
    for (int row = 0; row < amplifiers.size(); ++row) {
        const AmplifierRecord& amplifier = amplifiers.at(row);
        if (!amplifier.matches(amplifier.name, amplifier.impedance, amplifier.mode))
            fail("a line does not match itself");
        const int first = index.find(amplifier.name, amplifier.impedance, amplifier.mode);
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
        sink = sink + index.find(cabinet.name, cabinet.impedance, QStringLiteral("NO"));
    return 0;
}
