// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the whole program, from starting the process to its first shown
// window and its exit, against a program that only shows the same form on a
// bare QMainWindow. Both run offscreen in the build directory (which holds the
// example catalogue and images) with a Qt generic plugin that quits the
// application once its first window is exposed; neither program knows of it.
#include "benchmarkrun.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

struct Run {
    double seconds = 0;
    long peakKiB = 0; // resident set
    bool ok = false;
};

// Starts the program and waits for it; one that has not quit within ten
// seconds is killed by the alarm it inherits.
Run run(const char* program)
{
    Run result;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        if (chdir(VANTOR_WORKING_DIRECTORY) != 0)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("QT_QPA_GENERIC_PLUGINS", "vantorquitonshow", 1);
        setenv("QT_PLUGIN_PATH", VANTOR_PLUGIN_PATH, 1);
        alarm(10);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage { };
    if (wait4(pid, &status, 0, &usage) != pid)
        return result;
    result.seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.peakKiB = usage.ru_maxrss;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration starts both programs, in alternating order; the reported time
// is Vantor's, and the counters hold the medians and Vantor's ratios to the
// bare form.
void startUp(benchmark::State& state)
{
    std::vector<double> vantorTime, bareTime;
    std::vector<long> vantorPeak, barePeak;
    bool vantorFirst = false;
    for (auto _ : state) {
        vantorFirst = !vantorFirst;
        Run vantor, bare;
        if (vantorFirst) {
            vantor = run(VANTOR_PROGRAM);
            bare = run(VANTOR_BARE_FORM);
        } else {
            bare = run(VANTOR_BARE_FORM);
            vantor = run(VANTOR_PROGRAM);
        }
        if (!vantor.ok || !bare.ok) {
            state.SkipWithError("a program did not show its window and quit");
            return;
        }
        state.SetIterationTime(vantor.seconds);
        vantorTime.push_back(vantor.seconds);
        bareTime.push_back(bare.seconds);
        vantorPeak.push_back(vantor.peakKiB);
        barePeak.push_back(bare.peakKiB);
    }
    const double vt = median(vantorTime), bt = median(bareTime);
    const double vp = static_cast<double>(median(vantorPeak));
    const double bp = static_cast<double>(median(barePeak));
    state.counters["vantor_ms"] = vt * 1e3;
    state.counters["bare_ms"] = bt * 1e3;
    state.counters["time_ratio"] = vt / bt;
    state.counters["vantor_peak_KiB"] = vp;
    state.counters["bare_peak_KiB"] = bp;
    state.counters["peak_ratio"] = vp / bp;
}
BENCHMARK(startUp)->UseManualTime()->Unit(benchmark::kMillisecond);

}

int main(int argc, char* argv[])
{
    return runBenchmarks(argc, argv,
        {
            { "startUp/manual_time", "time_ratio", 1.15 },
            { "startUp/manual_time", "peak_ratio", 1.15 },
        });
}
