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

echo "| Measure | Median | Floor | Ratio | Target | Met |"
echo "|---|---|---|---|---|---|"
"$build/bench/startup_bench" --runs "${RUNS:-21}" --work-dir "$build/bench/work" "${startup_args[@]}" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/reaction_bench" 2>/dev/null
"$build/bench/cores_bench" --benchmark_format=csv 2>/dev/null | awk -F, '
    function ns(t, unit) { return unit == "ms" ? t * 1e6 : unit == "us" ? t * 1e3 : t }
    function row(what, value, unit, limit, target) {
        printf "| %s | %.1f %s | | | %s | %s |\n", what, value, unit, target, value < limit ? "yes" : "no"
    }
    NR == 1 { next }
    {
        name = $1; gsub(/"/, "", name)
        t = ns($3, $5)
        if (name ~ /^LightPattern\//) { if (t > slowest) slowest = t; next }
        if (name == "SorvexCalculate") calculate = t
        if (name == "KorvaneComputeImproves") improves = t
        if (name == "StoreRoundTrip") store = t
    }
    END {
        row("core, pellan ReadLights, slowest of the 32 patterns", slowest, "ns", 1000, "< 1 µs")
        row("core, sorvex Calculate + ShowNextLevels", calculate, "ns", 1000, "< 1 µs")
        row("core, korvane ComputeImproves with the conversion", improves, "ns", 1000, "< 1 µs")
        row("store, SaveCharacter + LoadCharacter round trip", store / 1e3, "µs", 1000, "< 1 ms")
    }'
