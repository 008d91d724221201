#!/usr/bin/env bash
# Sets up what is missing, builds in Release and starts one of the programs.
set -euo pipefail
cd "$(dirname "$0")"

programs="pellan sorvex korvane"
usage() { echo "usage: $0 {${programs// /|}}" >&2; exit 2; }
[ $# -eq 1 ] || usage
case " $programs " in *" $1 "*) ;; *) usage ;; esac

scripts/setup.sh run
build=build/release
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$build" --target "$1"
exec "$build/$1/$1"
