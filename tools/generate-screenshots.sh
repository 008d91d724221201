#!/usr/bin/env bash
# Builds each program's screenshot writer, draws every window offscreen as it first opens, and rewrites
# docs/screenshots/PROGRAM-WINDOW.png (8-bit palette where that keeps the picture, highest compression).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test
cmake -S . -B build/screenshots -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake -S tools/assetgen -B build/assetgen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

writers=(pellan_screenshots sorvex_screenshots korvane_screenshots)
cmake --build build/screenshots --parallel 2 --target "${writers[@]}"
cmake --build build/assetgen --parallel 2

export QT_QPA_PLATFORM=offscreen
# sorvex opens on its character store: give it an empty one, not the user's.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/screenshots.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config"

mkdir -p docs/screenshots
rm -f docs/screenshots/*.png
for writer in "${writers[@]}"; do
    program=${writer%_screenshots}
    binary=$(find build/screenshots -name "$writer" -type f -perm -u+x | head -n 1)
    mkdir -p "$scratch/$program"
    "$binary" "$scratch/$program"
    for picture in "$scratch/$program"/*.png; do
        name=$(basename "$picture" .png)
        mv "$picture" "docs/screenshots/$program-${name,,}.png"
    done
done
build/assetgen/assetgen --palette-png docs/screenshots/*.png
ls -l docs/screenshots
