#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test headless: the Debian package
# (tools/test-package.sh), the Qt 6 build (tools/test-qt6.sh), the suite under
# the sanitizers (tools/test-sanitizers.sh), the catalogue fuzzer
# (tools/fuzz.sh), a brief benchmark run (tools/bench.sh), then the default
# Qt 5 build in build/, whose CTest summary ends the output. Every stage runs
# even when an earlier one failed; the exit status is non-zero when any did.
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/test-fonts.sh
failed=()
stage() {
    echo "=== $1"
    "$@" || failed+=("$1")
}
# errexit does not hold inside a stage (it runs as the left of ||): chain.
qt5() {
    tools/install-deps.sh "${test_fonts[@]}" \
        && cmake -S . -B build -DCMAKE_BUILD_TYPE=Release \
        && cmake --build build --parallel "$(nproc)" \
        && (cd build && ctest --output-on-failure)
}
export QT_QPA_PLATFORM=offscreen
stage tools/test-package.sh
stage tools/test-qt6.sh
stage tools/test-sanitizers.sh
stage tools/fuzz.sh
stage tools/bench.sh
stage qt5
if [ ${#failed[@]} -ne 0 ]; then
    echo "test.sh: FAILED: ${failed[*]}" >&2
    exit 1
fi
