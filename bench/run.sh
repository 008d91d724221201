#!/usr/bin/env bash
# Builds the benchmarks and the programs in Release (build/bench) and prints one table of them all.
#   bench/run.sh            21 start-up runs and 201 reactions of each
#   RUNS=5 bench/run.sh     fewer start-up runs, for a quick look
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh bench
build=build/bench
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DBENCHMARKS=ON >/dev/null
cmake --build "$build" >/dev/null
mapfile -t startup_args <"$build/bench/startup_args.txt"
log=$build/bench/run.log
: >"$log"
trap 'echo "bench/run.sh: a benchmark failed; its messages:" >&2; cat "$log" >&2' ERR

echo "| Measure | Median | Floor | Ratio | Target | Met |"
echo "|---|---|---|---|---|---|"
"$build/bench/startup_bench" --runs "${RUNS:-21}" --work-dir "$build/bench/work" "${startup_args[@]}" 2>>"$log"
QT_QPA_PLATFORM=offscreen "$build/bench/reaction_bench" 2>>"$log"
"$build/bench/cores_bench" --table 2>>"$log"
