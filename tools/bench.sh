#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks (bench/) into build/ and runs each briefly, which shows
# that they run and that what they measure still works; a benchmark that
# reports an error fails the run. With --full they run at length and every
# figure must be within its limit, as docs/performance.md reports them.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh libbenchmark-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVANTOR_BENCHMARKS=ON
cmake --build build --parallel "$(nproc)" --target vantor_bench vantor_startup_bench
args=(--benchmark_min_time=0.01)
[ "${1:-}" = --full ] && args=(--benchmark_min_time=2 --check-limits)
export QT_QPA_PLATFORM=offscreen
timeout 900 build/bench/vantor_bench "${args[@]}"
timeout 900 build/bench/vantor_startup_bench "${args[@]}"
