#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs every test there.
# Any report fails the run. The only suppression is tools/lsan-qt-offscreen.supp,
# for what Qt's offscreen platform plugin never frees.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/test-fonts.sh
tools/install-deps.sh clang libclang-rt-dev "${test_fonts[@]}"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DVANTOR_BENCHMARKS=OFF
cmake --build build-sanitize --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-qt-offscreen.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure)
