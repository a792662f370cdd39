#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds the program alone and starts it in build/, which holds the
# example catalogue and images; a catalogue folder given is handed on to it.
set -euo pipefail
arguments=()
for argument in "$@"; do
    [ -d "$argument" ] && argument="$(cd "$argument" && pwd)"
    arguments+=("$argument")
done
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$(nproc)" --target vantor
cd build
exec ./vantor "${arguments[@]}"
