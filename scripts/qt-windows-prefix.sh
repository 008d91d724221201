#!/usr/bin/env bash
# Prints the Qt for MinGW prefix the Windows build uses, the first of these that holds a Qt for MinGW of the
# host Qt's version: $QT_WINDOWS_PREFIX (when set, it alone), ../shared/qt6.8-mingw and ../shared/qt6-mingw
# beside the repository, the prefix scripts/build-qt-mingw.sh makes for this host. The host's moc, rcc and uic
# build against it, and their code fits only Qt libraries of their own version, so a prefix of another version
# is passed over, saying why on stderr. When none fits, says why on stderr and exits 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

ready() {
    [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$1/bin/Qt6Core.dll" ] &&
        [ -f "$1/plugins/platforms/qwindows.dll" ] && [ -f "$1/plugins/platforms/qoffscreen.dll" ]
}
cmake_version() { sed -n 's/^set(PACKAGE_VERSION "\([0-9.]*\)")$/\1/p' "$1" 2>/dev/null | head -n 1; }

# The host tools are those of the Qt 6 CMake package the cross build finds under /usr.
host_version=""
for config in /usr/lib/*/cmake/Qt6/Qt6ConfigVersionImpl.cmake /usr/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake; do
    [ -f "$config" ] && host_version=$(cmake_version "$config") && [ -n "$host_version" ] && break
done
[ -n "$host_version" ] || {
    echo "no host Qt: no Qt 6 CMake package under /usr (scripts/setup.sh installs qt6-base-dev)" >&2
    exit 1
}

rejected=()
# Prints the prefix and succeeds when it fits; otherwise records why not.
fits() {
    local prefix=$1 version
    if ! ready "$prefix"; then
        rejected+=("$prefix holds no Qt for MinGW with the windows and offscreen platform plugins")
        return 1
    fi
    version=$(cmake_version "$prefix/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
    if [ "$version" != "$host_version" ]; then
        rejected+=("$prefix is Qt ${version:-of no known version}, the host tools Qt $host_version")
        return 1
    fi
    (cd "$prefix" && pwd)
}
say_rejected() {
    local reason
    for reason in "${rejected[@]}"; do
        echo "passed over: $reason" >&2
    done
}

if [ -n "${QT_WINDOWS_PREFIX:-}" ]; then
    fits "$QT_WINDOWS_PREFIX" && exit 0
    echo "QT_WINDOWS_PREFIX does not fit: ${rejected[0]}" >&2
    exit 1
fi
cache=$("$root/scripts/build-qt-mingw.sh" --print-prefix)
shared=$(cd "$root/.." && pwd)/shared
for candidate in "$shared/qt6.8-mingw" "$shared/qt6-mingw" "$cache"; do
    [ -e "$candidate" ] || continue
    # Only a build that finished: the script writes its stamp last.
    if [ "$candidate" = "$cache" ] && [ ! -f "$cache/.build-qt-mingw.stamp" ]; then
        rejected+=("$cache, whose build did not finish")
        continue
    fi
    if fits "$candidate"; then
        say_rejected
        exit 0
    fi
done
say_rejected
echo "no Qt $host_version for MinGW: QT_WINDOWS_PREFIX is not set, and neither $shared/qt6.8-mingw," \
    "$shared/qt6-mingw nor $cache holds one (scripts/build-qt-mingw.sh makes the last, in about an hour on" \
    "two cores)" >&2
exit 1
