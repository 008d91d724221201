#!/usr/bin/env bash
# Fetches Debian's qt6-base source package files of one version, as apt-get source --download-only does, into a
# cache kept across runs, and prints the folder that holds them:
#   scripts/fetch-qt-source.sh VERSION        e.g. 6.4.2+dfsg-10
#   scripts/fetch-qt-source.sh --prefix QT    the version a Qt for MinGW was built from, as its README.txt says
#                                             ("... from Debian's qt6-base VERSION source ...")
# The cache folder is named after the version.
# Adds a deb-src line for the suites of the binary packages when apt has none. Fails, saying so, when that
# version cannot be fetched: whatever needs the source must not go on without it.
set -euo pipefail
if [ $# -eq 2 ] && [ "$1" = --prefix ]; then
    version=$(sed -n "s/.*Debian's qt6-base \([^ ]*\) source.*/\1/p" "$2/README.txt" 2>/dev/null | head -n 1)
    [ -n "$version" ] || {
        echo "$2/README.txt does not say which Debian qt6-base source the Qt DLLs were built from" \
            "(\"... from Debian's qt6-base VERSION source ...\"); without that source they cannot be shipped" >&2
        exit 1
    }
else
    [ $# -eq 1 ] && [ -n "$1" ] || { echo "usage: $0 VERSION | --prefix QT" >&2; exit 2; }
    version=$1
fi
case "$version" in */* | *..*) echo "not a Debian version: $version" >&2; exit 2 ;; esac
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quendrith-tools/qt6-base-source/$version
done_stamp=$cache/.complete

if [ -f "$done_stamp" ]; then
    echo "$cache"
    exit 0
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # The same archives and suites as the binary packages, for their sources.
    sources=/etc/apt/sources.list.d/debian.sources
    [ -f "$sources" ] || { echo "no $sources to take the deb-src suites from; add a deb-src line by hand" >&2; exit 1; }
    sed 's/^Types: deb$/Types: deb-src/' "$sources" | "${sudo[@]}" tee /etc/apt/sources.list.d/quendrith-deb-src.sources >/dev/null
    "${sudo[@]}" apt-get update -qq >&2
fi

partial=$cache.partial
rm -rf "$partial"
mkdir -p "$partial"
if ! (cd "$partial" && apt-get source --download-only "qt6-base=$version") >"$partial.log" 2>&1; then
    cat "$partial.log" >&2
    echo "cannot fetch Debian's qt6-base $version source (apt-get source --download-only qt6-base=$version)" >&2
    rm -rf "$partial" "$partial.log"
    exit 1
fi
dsc=$partial/qt6-base_${version#*:}.dsc
[ -f "$dsc" ] || { echo "apt-get source left no $(basename "$dsc")" >&2; rm -rf "$partial" "$partial.log"; exit 1; }
rm -f "$partial.log"
rm -rf "$cache"
mv "$partial" "$cache"
touch "$done_stamp"
echo "$cache"
