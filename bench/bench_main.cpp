// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchmarkrun.h"
#include "catalogue.h"
#include "cataloguefixture.h"
#include "generatedcatalogue.h"
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

const int largeCabinets = 10000;
const int largeAmplifiers = 50000;

long pageFaults()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

bool writeExample(const CatalogueFixture& dir)
{
    const QString resources = QStringLiteral(VANTOR_RESOURCES "/");
    bool written = true;
    for (const char* name : { "data_spk.txt", "data_amplis.txt", "banner3.png" })
        written = dir.copy(resources + name, name) && written;
    return written;
}

// No cabinets and `lines` amplifier lines.
bool writeAmplifiers(const CatalogueFixture& dir, int lines)
{
    return dir.write("data_spk.txt", GeneratedCatalogue::cabinets(0))
        && dir.write("data_amplis.txt", GeneratedCatalogue::amplifiers(lines));
}

bool writeLarge(const CatalogueFixture& dir)
{
    return dir.write("data_spk.txt", GeneratedCatalogue::cabinets(largeCabinets))
        && dir.write("data_amplis.txt", GeneratedCatalogue::amplifiers(largeAmplifiers))
        && dir.copy(QStringLiteral(VANTOR_RESOURCES "/banner3.png"), "banner3.png");
}

QComboBox* combo(const MainWindow& window, const char* name)
{
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

QString labelText(const MainWindow& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

// Catalogue::load on an amplifier file of state.range(0) lines. Each load
// after the first reuses the memory the previous one freed.
void loadAmplifiers(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    CatalogueFixture dir;
    if (!writeAmplifiers(dir, lines)) {
        state.SkipWithError("cannot write the catalogue");
        return;
    }
    long faults = 0;
    for (auto _ : state) {
        const long faultsBefore = pageFaults();
        Catalogue catalogue = Catalogue::load();
        faults += pageFaults() - faultsBefore;
        state.PauseTiming();
        const bool loaded = catalogue.amplifiers.size() == lines
            && catalogue.amplifierModels.size() == GeneratedCatalogue::models(lines);
        catalogue = Catalogue();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the catalogue did not load every line");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["page_faults"]
        = benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}
BENCHMARK(loadAmplifiers)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same load as the program does it, once, in a process of its own
// (vantor_load_once), into memory the process has never used.
void loadAmplifiersOnce(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    CatalogueFixture dir;
    if (!writeAmplifiers(dir, lines)) {
        state.SkipWithError("cannot write the catalogue");
        return;
    }
    double faults = 0;
    for (auto _ : state) {
        FILE* out = popen("'" VANTOR_LOAD_ONCE "'", "r");
        double nanoseconds = 0, pages = 0;
        int rows = -1;
        const bool read = out && std::fscanf(out, "%lf %d %lf", &nanoseconds, &rows, &pages) == 3;
        const bool exited = out && pclose(out) == 0;
        if (!read || !exited || rows != lines) {
            state.SkipWithError("vantor_load_once did not load every line");
            break;
        }
        state.SetIterationTime(nanoseconds / 1e9);
        faults += pages;
    }
    state.counters["page_faults"] = benchmark::Counter(faults, benchmark::Counter::kAvgIterations);
}
BENCHMARK(loadAmplifiersOnce)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The main window's constructor, which reads the catalogue and fills the
// selectors; range(0) is 0 for the example catalogue, 1 for the large one.
void buildWindow(benchmark::State& state)
{
    const bool large = state.range(0) != 0;
    CatalogueFixture dir;
    if (!(large ? writeLarge(dir) : writeExample(dir))) {
        state.SkipWithError("cannot write the catalogue");
        return;
    }
    const Catalogue catalogue = Catalogue::load();
    const int cabinets = catalogue.cabinets.size();
    const int models = catalogue.amplifierModels.size();
    if (large
        && (cabinets != largeCabinets || models != GeneratedCatalogue::models(largeAmplifiers))) {
        state.SkipWithError("the catalogue did not load every line");
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<MainWindow>();
        state.PauseTiming();
        const bool filled = combo(*window, "comboBox_cabinets")->count() == cabinets
            && combo(*window, "comboBox_amplis")->count() == models;
        window.reset();
        state.ResumeTiming();
        if (!filled) {
            state.SkipWithError("the selectors do not list the catalogue");
            break;
        }
    }
    state.SetLabel(large ? "10000 cabinets, 50000 amplifier lines" : "example catalogue");
}
BENCHMARK(buildWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One cabinet pick on the large catalogue, with the last amplifier model
// selected, whose lines stand at the end of the file.
void pickCabinet(benchmark::State& state)
{
    CatalogueFixture dir;
    if (!writeLarge(dir)) {
        state.SkipWithError("cannot write the catalogue");
        return;
    }
    MainWindow window;
    QComboBox* amplifiers = combo(window, "comboBox_amplis");
    QComboBox* cabinets = combo(window, "comboBox_cabinets");
    const int last = amplifiers->count() - 1;
    if (amplifiers->itemText(last) != GeneratedCatalogue::lastModel(largeAmplifiers)) {
        state.SkipWithError("the last model is not listed last");
        return;
    }
    amplifiers->setCurrentIndex(last);
    emit amplifiers->activated(last);

    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        cabinets->setCurrentIndex(index);
        emit cabinets->activated(index);
    }
    // Cabinet 1 is 16 ohms, cabinet 0 is 8: either way the 8 ohm stereo line.
    const QString impedance = index ? QStringLiteral("16") : QStringLiteral("8");
    if (labelText(window, "label_imp")
            != QStringLiteral("Speaker impedance: %1 \u03A9").arg(impedance)
        || labelText(window, "label_prog_power") != QStringLiteral("Max program voltage: 42.9 V"))
        state.SkipWithError("the pick did not find the amplifier line");
}
BENCHMARK(pickCabinet)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return runBenchmarks(argc, argv,
        {
            { "loadAmplifiers/100000", "", 50.0 }, // ms
            { "loadAmplifiersOnce/100000/manual_time", "", 50.0 },
            { "buildWindow/1", "", 150.0 }, // ms
            { "pickCabinet", "", 500.0 }, // us
        });
}
