// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchmarkrun.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

class CheckingReporter : public benchmark::ConsoleReporter {
public:
    CheckingReporter(const std::vector<Limit>& limits, bool checkLimits)
        // Colours only on a terminal, as the library's own reporter does.
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular)
        , limits(limits)
        , checkLimits(checkLimits)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            if (run.error_occurred) {
                failures.push_back(name + ": " + run.error_message);
                continue;
            }
            if (!checkLimits || run.run_type != Run::RT_Iteration)
                continue;
            for (const Limit& limit : limits) {
                if (limit.benchmark != name)
                    continue;
                const auto counter = run.counters.find(limit.counter);
                if (!limit.counter.empty() && counter == run.counters.end()) {
                    failures.push_back(name + ": no counter " + limit.counter);
                    continue;
                }
                const double value
                    = limit.counter.empty() ? run.GetAdjustedRealTime() : counter->second.value;
                const std::string what = limit.counter.empty() ? "time" : limit.counter;
                if (value > limit.most)
                    failures.push_back(name + ": " + what + " " + std::to_string(value)
                        + " is over " + std::to_string(limit.most));
                else
                    checked.push_back(name + ": " + what + " " + std::to_string(value)
                        + " is within " + std::to_string(limit.most));
            }
        }
    }

    std::vector<std::string> failures;
    std::vector<std::string> checked;

private:
    std::vector<Limit> limits;
    bool checkLimits;
};

}

int runBenchmarks(int argc, char* argv[], const std::vector<Limit>& limits)
{
    bool checkLimits = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check-limits") == 0)
            checkLimits = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    CheckingReporter reporter(limits, checkLimits);
    const size_t ran = benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const std::string& line : reporter.checked)
        std::printf("within limit: %s\n", line.c_str());
    for (const std::string& line : reporter.failures)
        std::fprintf(stderr, "FAILED: %s\n", line.c_str());
    if (ran == 0) {
        std::fprintf(stderr, "FAILED: no benchmark ran\n");
        return 1;
    }
    return reporter.failures.empty() ? 0 : 1;
}
