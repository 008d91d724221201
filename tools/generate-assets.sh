#!/usr/bin/env bash
# Builds the asset generator and rewrites the programs' pictures and icons in place.
# Pass --check to read the written files back and list them; a folder after it receives enlarged PNG previews.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S tools/assetgen -B build/assetgen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/assetgen --parallel 2
export QT_QPA_PLATFORM=offscreen
build/assetgen/assetgen .
if [ "${1:-}" = --check ]; then
    build/assetgen/assetgen --check . "${2:-}"
fi
