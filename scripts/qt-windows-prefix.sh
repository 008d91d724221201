#!/usr/bin/env bash
# Prints the Qt for MinGW prefix the Windows build uses: $QT_WINDOWS_PREFIX, else ../shared/qt6-mingw beside the
# repository, else the cache of scripts/build-qt-mingw.sh. When none is ready, says why on stderr and exits 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

ready() {
    [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$1/bin/Qt6Core.dll" ] &&
        [ -f "$1/plugins/platforms/qwindows.dll" ] && [ -f "$1/plugins/platforms/qoffscreen.dll" ]
}

if [ -n "${QT_WINDOWS_PREFIX:-}" ]; then
    if ready "$QT_WINDOWS_PREFIX"; then
        cd "$QT_WINDOWS_PREFIX" && pwd
        exit 0
    fi
    echo "QT_WINDOWS_PREFIX=$QT_WINDOWS_PREFIX holds no Qt for MinGW with the windows and offscreen platform plugins" >&2
    exit 1
fi
shared=$root/../shared/qt6-mingw
cache=$("$root/scripts/build-qt-mingw.sh" --print-prefix)
if ready "$shared"; then
    cd "$shared" && pwd
    exit 0
fi
# Only a build that finished: the script writes its stamp last.
if [ -f "$cache/.build-qt-mingw.stamp" ] && ready "$cache"; then
    echo "$cache"
    exit 0
fi
echo "no Qt for MinGW: QT_WINDOWS_PREFIX is not set, and neither $shared nor $cache holds one" \
    "(scripts/build-qt-mingw.sh makes the latter, in about an hour on two cores)" >&2
exit 1
