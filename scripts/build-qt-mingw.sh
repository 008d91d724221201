#!/usr/bin/env bash
# Builds Qt's base (Core, Gui, Widgets, OpenGL, Test, the windows, offscreen and minimal platform plugins, the
# windowsvista style) for 64-bit Windows with MinGW-w64, from Debian's own qt6-base source of the host Qt's
# version, whose moc, rcc and uic serve as the host tools. Takes about an hour on two cores.
#   scripts/build-qt-mingw.sh [PREFIX]     builds into PREFIX (default: the cache below); done once, a stamp
#                                          file in PREFIX makes later runs do nothing
#   scripts/build-qt-mingw.sh --print-prefix   prints the default prefix
# The prefix can be moved afterwards: its toolchain file finds the cross toolchain copied beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
default_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/quendrith-tools/qt6-mingw
stamp_name=.build-qt-mingw.stamp

if [ "${1:-}" = "--print-prefix" ]; then
    echo "$default_prefix"
    exit 0
fi
prefix=${1:-$default_prefix}
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
if [ -f "$prefix/$stamp_name" ]; then
    echo "Qt for MinGW is already in $prefix ($(cat "$prefix/$stamp_name")); nothing to do"
    exit 0
fi

"$root/scripts/setup.sh" test

# The source of exactly the host Qt, so that its tools fit the target libraries.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
work=${QT_MINGW_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/quendrith-tools/qt6-mingw-build}
mkdir -p "$work"
if ! compgen -G "$work/qt6-base-*/CMakeLists.txt" >/dev/null; then
    package=$("$root/scripts/fetch-qt-source.sh" "$version")
    # Unpacked with Debian's own patches applied, as Debian builds it.
    (cd "$work" && dpkg-source -x "$package/qt6-base_${version#*:}.dsc")
fi
source_dir=$(echo "$work"/qt6-base-*/)

build=$work/build
jobs=${QT_MINGW_JOBS:-$(nproc)}
cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-compilers.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_directwrite3=OFF -DINPUT_opengl=desktop \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
if [ "${QT_MINGW_CONFIGURE_ONLY:-}" = 1 ]; then
    echo "configured in $build; not built (QT_MINGW_CONFIGURE_ONLY=1)"
    exit 0
fi
cmake --build "$build" --parallel "$jobs"
cmake --install "$build"

# Movable: the toolchain file the prefix's qt.toolchain.cmake chains to lives inside the prefix.
cp "$root/cmake/mingw-w64-compilers.cmake" "$prefix/lib/cmake/Qt6/mingw-w64-toolchain.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-toolchain.cmake")|' \
    "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$prefix/bin/"
done
for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll plugins/platforms/qwindows.dll \
    plugins/platforms/qoffscreen.dll plugins/platforms/qminimal.dll plugins/styles/qwindowsvistastyle.dll; do
    [ -f "$prefix/$needed" ] || { echo "the build left out $needed" >&2; exit 1; }
done
# The version line is what scripts/package-windows.sh reads to ship the matching source beside the DLLs.
upstream=${version#*:}
upstream=${upstream%%+*}
cat >"$prefix/README.txt" <<END
Qt $upstream base for 64-bit Windows, cross-built with Debian's MinGW-w64 (x86_64-w64-mingw32-g++-posix)
from Debian's qt6-base $version source: Core, Gui, Widgets, OpenGL, OpenGLWidgets, Test; the
windows, offscreen and minimal platform plugins; the windowsvista style; gif and ico image formats.
Off: network, SQL, D-Bus, XML, print support, concurrency, tablet events, DirectWrite 3, JPEG.
Host tools (moc, rcc, uic) are the host's own Qt $upstream.
Built by scripts/build-qt-mingw.sh of the Quendrith tools with the settings written in it.
END
echo "qt6-base $version for x86_64-w64-mingw32, built $(date -u +%Y-%m-%dT%H:%MZ)" > "$prefix/$stamp_name"
echo "Qt for MinGW is in $prefix"
