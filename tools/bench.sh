#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what users feel, as docs/performance.md describes: the start-up
# against the form-only program (hyperfine, GNU time), one catalogue load and
# one pick in process (Google Benchmark), and the sheet against --check
# (hyperfine). Generated catalogues go to build/bench-data/. By default every
# step runs briefly and the script fails only when something errors; with
# --full they run at length and every figure must be within its limit.
set -euo pipefail
cd "$(dirname "$0")/.."
full=false
[ "${1:-}" = --full ] && full=true
tools/install-deps.sh hyperfine time jq libbenchmark-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVANTOR_BENCHMARKS=ON
cmake --build build --parallel "$(nproc)" \
    --target vantor vantor_bench vantor_bare_form vantorquitonshow

# In build/: the example catalogue and images stand beside the program.
cd build
rm -rf bench-data
mkdir -p bench-data
../bench/make-catalogue.sh bench-data/100000-lines 100 28571
../bench/make-catalogue.sh bench-data/100x100 100 100
cp banner3.png Orlena-Audio-logo-60px.png bench-data/100000-lines/
[ "$(./vantor --sheet --format csv bench-data/100x100 | wc -l)" -eq 70001 ] \
    || { echo "bench.sh: the 100 x 100 sheet is not 70,000 rows" >&2; exit 1; }
if $full; then
    rounds=20 start=(--warmup 1 --runs 5) sheet=(--warmup 3 --runs 30) peak_runs=15 min_time=1
else
    rounds=1 start=(--runs 2) sheet=(--runs 2) peak_runs=1 min_time=0.01
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 bench-data/runtime
    export XDG_RUNTIME_DIR="$PWD/bench-data/runtime"
fi
hyperfine=(timeout 600 hyperfine -N)
median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "=== Start-up to the first shown window and exit (offscreen)"
# With a settings folder of its own, so that no catalogue folder the window
# remembers on this machine stands in for the example.
shown=(env QT_QPA_PLATFORM=offscreen QT_QPA_GENERIC_PLUGINS=vantorquitonshow
    QT_PLUGIN_PATH="$PWD/bench/plugins" XDG_CONFIG_HOME="$PWD/bench/settings")
names=(form-only example 100000-lines)
programs=(bench/vantor_bare_form ./vantor "./vantor bench-data/100000-lines")
# Short rounds in turn, each in the reverse order of the last, so that a busy
# spell of the shared machine falls on every program alike.
for ((round = 0; round < rounds; round++)); do
    order=(0 1 2)
    ((round % 2)) && order=(2 1 0)
    commands=()
    for i in "${order[@]}"; do commands+=(-n "${names[i]}" "${programs[i]}"); done
    "${shown[@]}" "${hyperfine[@]}" --style none "${start[@]}" \
        --export-json "bench-data/startup-$round.json" "${commands[@]}"
done
jq -r '.results[] | .command as $name | .times[] | "\($name) \(.)"' bench-data/startup-*.json \
    >bench-data/startup-times
for ((run = 0; run < peak_runs; run++)); do
    for i in 0 1 2; do
        # shellcheck disable=SC2086 # the command and its argument
        "${shown[@]}" /usr/bin/time -f %M -o bench-data/peak ${programs[i]}
        cat bench-data/peak >>"bench-data/peak-$i"
    done
done
for i in 0 1 2; do
    peak[i]="$(median <"bench-data/peak-$i")"
    times="$(awk -v name="${names[i]}" '$1 == name { print $2 * 1000 }' bench-data/startup-times)"
    startup[i]="$(median <<<"$times" | awk '{ printf "%.2f", $1 }')"
    echo "${names[i]}: ${startup[i]} ms, median of $(wc -l <<<"$times") runs" \
        "(fastest $(sort -n <<<"$times" | head -1) ms); ${peak[i]} KiB peak, median of $peak_runs"
done

echo "=== One load and one pick, in process"
timeout 600 bench/vantor_bench --benchmark_min_time="$min_time" . bench-data/100000-lines

echo "=== The sheet against --check"
"${hyperfine[@]}" --style basic "${sheet[@]}" --export-csv bench-data/sheet.csv \
    -n "sheet example" "./vantor --sheet" -n "check example" "./vantor --check" \
    -n "sheet 100x100" "./vantor --sheet bench-data/100x100" \
    -n "check 100x100" "./vantor --check bench-data/100x100"

echo "=== Figures (times are medians)"
status=0
figure() { # what, value, limit (empty for none)
    local verdict=""
    if [ -n "$3" ] && ! awk -v v="$2" -v l="$3" 'BEGIN { exit !(v <= l) }'; then
        verdict="OVER THE LIMIT"
        status=1
    fi
    printf '%-44s %10s %8s  %s\n' "$1" "$2" "${3:-}" "$verdict"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
sheet() { awk -F, -v name="$1" '$1 == name { printf "%.1f", $4 * 1000 }' bench-data/sheet.csv; }
printf '%-44s %10s %8s\n' figure measured limit
figure "start-up, form only (ms)" "${startup[0]}" ""
figure "start-up, example catalogue (ms)" "${startup[1]}" ""
figure "start-up time, example / form only" "$(ratio "${startup[1]}" "${startup[0]}")" 1.05
figure "peak memory, form only (KiB)" "${peak[0]}" ""
figure "peak memory, example catalogue (KiB)" "${peak[1]}" ""
figure "peak memory, example / form only" "$(ratio "${peak[1]}" "${peak[0]}")" 1.05
figure "start-up, 100,000 amplifier lines (ms)" "${startup[2]}" 1000
figure "peak memory, 100,000 amplifier lines (KiB)" "${peak[2]}" 195312 # 200 MB
figure "sheet, example (ms)" "$(sheet "sheet example")" ""
figure "check, example (ms)" "$(sheet "check example")" ""
figure "sheet, 100 x 100 (ms)" "$(sheet "sheet 100x100")" 500
figure "check, 100 x 100 (ms)" "$(sheet "check 100x100")" ""
if ! $full; then
    echo "A brief run: the figures are not checked against their limits (tools/bench.sh --full)."
    exit 0
fi
exit $status
