// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The most a measured figure may be: a benchmark's real time per iteration, in
// the unit it reports, or one of its counters.
struct Limit {
    std::string benchmark;
    std::string counter; // empty for the time
    double most;
};

// Runs the benchmarks that the command line selects and prints them. Fails
// when a benchmark reports an error or, given --check-limits (removed from
// the arguments), when a figure is over its limit.
int runBenchmarks(int argc, char* argv[], const std::vector<Limit>& limits);
