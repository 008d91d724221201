#!/usr/bin/env bash
# Builds pellan's sharpness probe and prints, for each scale, how sharp the star and the map look in their
# windows next to their 1x pictures enlarged with a smooth filter (1.000: no sharper than that). With a
# folder, also writes what the solver window shows of the star at 150 % and 200 % there, as star-150.png
# and star-200.png.
set -euo pipefail
cd "$(dirname "$0")/.."
crops=${1:-}

scripts/setup.sh test
cmake -S . -B build/screenshots -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build build/screenshots --parallel 2 --target pellan_sharpness
probe=$(find build/screenshots -name pellan_sharpness -type f -perm -u+x | head -n 1)

export QT_QPA_PLATFORM=offscreen
[ -z "$crops" ] || mkdir -p "$crops"
echo "scale star map"
for scale in 1 1.25 1.5 1.75 2 3; do
    crop=()
    case $scale in
    1.5) [ -z "$crops" ] || crop=("$crops/star-150.png") ;;
    2) [ -z "$crops" ] || crop=("$crops/star-200.png") ;;
    esac
    QT_SCALE_FACTOR=$scale "$probe" "${crop[@]}"
done
