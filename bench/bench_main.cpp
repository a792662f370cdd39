// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchmarkrun.h"
#include "catalogue.h"
#include "generatedcatalogue.h"
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

const int largeCabinets = 10000;
const int largeAmplifiers = 50000;

bool writeExample(const WorkingDirectory& dir)
{
    const QString resources = QStringLiteral(VANTOR_RESOURCES "/");
    bool written = true;
    for (const char* name : { "data_spk.txt", "data_amplis.txt", "banner3.png" })
        written = dir.copy(resources + name, name) && written;
    return written;
}

bool writeLarge(const WorkingDirectory& dir)
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

// Catalogue::load on an amplifier file of state.range(0) lines. Repeated loads
// reuse the memory the previous one freed; the program loads once, into memory
// it has never touched, as it does when range(1) is 1: the memory freed is then
// given back to the system before each load.
void loadAmplifiers(benchmark::State& state)
{
    const bool freshMemory = state.range(1) != 0;
    const int lines = static_cast<int>(state.range(0));
    WorkingDirectory dir;
    if (!dir.write("data_spk.txt", GeneratedCatalogue::cabinets(0))
        || !dir.write("data_amplis.txt", GeneratedCatalogue::amplifiers(lines))) {
        state.SkipWithError("cannot write the catalogue");
        return;
    }
    for (auto _ : state) {
        Catalogue catalogue = Catalogue::load();
        state.PauseTiming();
        const bool loaded = catalogue.amplifiers.size() == lines
            && catalogue.amplifierModels.size() == GeneratedCatalogue::models(lines);
        catalogue = Catalogue();
        if (freshMemory)
            malloc_trim(0);
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the catalogue did not load every line");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(loadAmplifiers)
    ->ArgNames({ "lines", "fresh_memory" })
    ->ArgsProduct({ { 1000, 10000, 100000 }, { 0, 1 } })
    ->Unit(benchmark::kMillisecond);

// The main window's constructor, which reads the catalogue and fills the
// selectors; range(0) is 0 for the example catalogue, 1 for the large one.
void buildWindow(benchmark::State& state)
{
    const bool large = state.range(0) != 0;
    WorkingDirectory dir;
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
    WorkingDirectory dir;
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
            { "loadAmplifiers/lines:100000/fresh_memory:0", "", 50.0 }, // ms
            { "loadAmplifiers/lines:100000/fresh_memory:1", "", 50.0 },
            { "buildWindow/1", "", 150.0 }, // ms
            { "pickCabinet", "", 500.0 }, // us
        });
}
