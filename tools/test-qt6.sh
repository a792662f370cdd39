#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vantor against Qt 6 in build-qt6/, in Debug so that Qt's own assertions
# (Q_ASSERT, qBound's bounds, container indexes) fire, and runs every test headless there.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/test-fonts.sh
tools/install-deps.sh qt6-base-dev qt6-base-dev-tools "${test_fonts[@]}"
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-qt6 -DCMAKE_BUILD_TYPE=Debug -DVANTOR_QT_MAJOR=6
cmake --build build-qt6 --parallel "$(nproc)"
(cd build-qt6 && ctest --output-on-failure)
