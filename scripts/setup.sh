#!/usr/bin/env bash
# Installs what building, running and testing need, and nothing that is already there.
#   scripts/setup.sh run    the build tools, Qt and the fonts
#   scripts/setup.sh bench  the run packages, plus Google Benchmark, the X client library and Xvfb
#   scripts/setup.sh test   the bench packages, plus the cross compiler, Wine, clang's fuzzer runtime
#                           the package checkers, NSIS for the Windows setup, clang-format and Qt SVG (which the
#                           asset generator writes the scalable icons with)
# On Debian 12 and 13. The tools whose output is compared (clang and its fuzzer runtime, clang-format) are LLVM 19
# on both, the one version both carry, so that the fuzzers and the formatting check do not change with the release.
set -euo pipefail

# Debian 13 made the Liberation fonts 2 the plain package and left fonts-liberation2 a transitional one.
fonts=fonts-liberation2
[ "$(. /etc/os-release && echo "${ID:-}:${VERSION_ID:-}")" = debian:12 ] || fonts=fonts-liberation

run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    "$fonts" fontconfig
)
bench_packages=(
    libbenchmark-dev libxcb1-dev
    xvfb xauth
)
test_packages=(
    googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64
    clang-19 libclang-rt-19-dev
    dpkg-dev lintian desktop-file-utils appstream
    nsis
    clang-format-19
    qt6-svg-dev
)

case "${1:-run}" in
    run) wanted=("${run_packages[@]}") ;;
    bench) wanted=("${run_packages[@]}" "${bench_packages[@]}") ;;
    test) wanted=("${run_packages[@]}" "${bench_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|bench|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}"
