// SPDX-License-Identifier: GPL-3.0-or-later
// In process, on the catalogues in EXAMPLE and GENERATED (Google Benchmark):
// one catalogue load, and one pick in the shown window (offscreen): a cabinet
// chosen, with the last amplifier model selected, recalculated and painted.
// Exits with 1 when anything measured is not as it should be.
#include "catalogue.h"
#include "configuration.h"
#include "mainwindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <cstdio>
#include <string>
#include <utility>

namespace {

bool failed = false;

void fail(benchmark::State& state, const char* what)
{
    failed = true;
    state.SkipWithError(what);
}

void load(benchmark::State& state, const QString& folder)
{
    QFile file(QDir(folder).filePath(Catalogue::amplifierFileName));
    const int lines = file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') - 1 : -1;
    for (auto _ : state) {
        const Catalogue catalogue = Catalogue::load(folder);
        if (!catalogue.complete() || !catalogue.problems.isEmpty()
            || catalogue.amplifiers.size() != lines)
            return fail(state, "the catalogue was not read whole and without problems");
    }
}

// Picks the last cabinet and the one before it in turn; the last is shown at the end.
void pick(benchmark::State& state, const QString& folder)
{
    QDir::setCurrent(folder);
    const Catalogue catalogue = Catalogue::load();
    const int last = catalogue.cabinets.size() - 1;
    const auto calculate = [&](int cabinet) {
        return Configuration::calculate(catalogue, cabinet, 1,
            catalogue.amplifierModels.value(catalogue.amplifierModels.size() - 1),
            Mode::Stereo);
    };
    // Anything else opens a message box, which would wait for a click.
    if (!catalogue.problems.isEmpty() || calculate(last - 1).refusal != Configuration::Accepted
        || calculate(last).refusal != Configuration::Accepted)
        return fail(state, "the catalogue has problems or the picks are refused");

    MainWindow window(folder);
    window.show();
    QApplication::processEvents();
    auto* cabinets = window.findChild<QComboBox*>(QStringLiteral("comboBox_cabinets"));
    auto* amplifiers = window.findChild<QComboBox*>(QStringLiteral("comboBox_amplis"));
    const auto choose = [](QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
        QApplication::processEvents();
    };
    choose(amplifiers, amplifiers->count() - 1);
    int turn = 0;
    for (auto _ : state)
        choose(cabinets, last - (++turn & 1));
    choose(cabinets, last);
    const QString shown = window.findChild<QLineEdit*>(QStringLiteral("lineaResultado"))->text();
    if (shown != calculate(last).thresholdText())
        fail(state, "the pick did not show its threshold");
}

}

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantor_bench [benchmark options] EXAMPLE GENERATED\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::pair<std::string, QString> catalogues[]
        = { { "example", QDir(argv[1]).absolutePath() },
              { "generated", QDir(argv[2]).absolutePath() } };
    for (const auto& [name, folder] : catalogues) {
        benchmark::RegisterBenchmark(("load/" + name).c_str(), load, folder)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("pick/" + name).c_str(), pick, folder)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return failed ? 1 : 0;
}
