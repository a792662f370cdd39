// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the catalogue reader, as the cabinet file and as the
// amplifier file, checks that every line after the header gives one row and
// that every problem names a line of the file, then works out every selection.
#include "catalogue.h"
#include "sheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    Catalogue catalogue;
    catalogue.readCabinets(bytes, QStringLiteral("c"));
    catalogue.readAmplifiers(bytes, QStringLiteral("a"));
    check(catalogue.cabinets.size() == catalogue.amplifiers.size(), "one row per line, in both");
    // A line ends at CR LF, LF or CR alone.
    const int lines = static_cast<int>(bytes.count('\n') + bytes.count('\r')) + 1;
    for (const CatalogueProblem& problem : catalogue.problems)
        check(problem.line >= 1 && problem.line <= lines && !problem.message.isEmpty(),
            "a problem outside the file");
    if (catalogue.cabinets.size() * catalogue.amplifierModels.size() <= 64) {
        Sheet::forEach(catalogue, {}, [](const Configuration& row) {
            check(row.labelTexts().size() == 6 && !row.thresholdText().isEmpty(), "a row's texts");
            return true;
        });
    }
    return 0;
}
