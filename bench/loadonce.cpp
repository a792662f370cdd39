// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the catalogue in the working directory once, as the program does at
// start-up, and prints the time it took in nanoseconds, the amplifier lines
// read and the page faults taken. A load of the (small) cabinet file alone
// goes first, as the program has set up its file and text reading by then.
#include "catalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {
long pageFaults()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}
}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    Catalogue::load(Catalogue::cabinetFileName, Catalogue::cabinetFileName);
    const long faults = pageFaults();
    QElapsedTimer timer;
    timer.start();
    const Catalogue catalogue = Catalogue::load();
    const qint64 nanoseconds = timer.nsecsElapsed();
    std::printf("%lld %d %ld\n", static_cast<long long>(nanoseconds),
        static_cast<int>(catalogue.amplifiers.size()), pageFaults() - faults);
    return 0;
}
