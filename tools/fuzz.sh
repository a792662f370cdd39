#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the catalogue fuzzer with clang into build-fuzz/ and runs it for a
# bounded time (60 s, or the seconds given) from the committed seed corpus
# fuzz/corpus/. Any crash, sanitizer report, leak or input taking over a
# second fails the run, and the input is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh clang libclang-rt-dev
seconds=${1:-60}
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVANTOR_FUZZ=ON -DVANTOR_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_catalogue
# New inputs go to a scratch corpus; the committed seeds are only read.
rm -rf build-fuzz/corpus
mkdir -p build-fuzz/corpus build-fuzz/artifacts
LC_ALL=C.UTF-8 build-fuzz/fuzz/fuzz_catalogue -max_total_time="$seconds" -timeout=1 \
    -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 build-fuzz/corpus fuzz/corpus
