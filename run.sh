#!/usr/bin/env bash
# Sets up what is missing, builds in Release and starts one of the programs.
set -euo pipefail
cd "$(dirname "$0")"

programs="pellan sorvex korvane"
usage() { echo "usage: $0 {${programs// /|}}" >&2; exit 2; }
[ $# -eq 1 ] || usage
case " $programs " in *" $1 "*) ;; *) usage ;; esac

scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target "$1"
exec "build/release/$1/$1"
