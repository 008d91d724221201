#!/usr/bin/env bash
# Builds Qt's base (Core, Gui, Widgets, OpenGL, Test, the windows, offscreen and minimal platform plugins, the
# native Windows styles) for 64-bit Windows with MinGW-w64, from Debian's own qt6-base source of the host Qt's
# version, whose moc, rcc and uic serve as the host tools. Takes about an hour on two cores. Made on Debian 13
# this is the Qt 6.8 of the Windows downloads; on Debian 12, a Qt 6.4 for trying the Windows build there.
#   scripts/build-qt-mingw.sh [PREFIX]     builds into PREFIX (default: the cache below, one per Qt version);
#                                          done once, a stamp file in PREFIX makes later runs do nothing
#   scripts/build-qt-mingw.sh --print-prefix   prints the default prefix
# The prefix can be moved afterwards: its toolchain file finds the cross toolchain copied beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quendrith-tools
stamp_name=.build-qt-mingw.stamp
# The source of exactly the host Qt, so that its tools fit the target libraries.
host_qt() {
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    upstream=${version#*:}
    upstream=${upstream%%[+~-]*}
    default_prefix=$cache/qt6-mingw${upstream:+-$upstream}
}

host_qt
if [ "${1:-}" = "--print-prefix" ]; then
    echo "$default_prefix"
    exit 0
fi
"$root/scripts/setup.sh" test
host_qt
prefix=${1:-$default_prefix}
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
if [ -f "$prefix/$stamp_name" ]; then
    grep -qF "qt6-base $version " "$prefix/$stamp_name" || {
        echo "$prefix holds another Qt ($(cat "$prefix/$stamp_name")), not one of the host's qt6-base $version" >&2
        exit 1
    }
    echo "Qt for MinGW is already in $prefix ($(cat "$prefix/$stamp_name")); nothing to do"
    exit 0
fi
echo "Building Qt $upstream for MinGW from Debian's qt6-base $version source into $prefix; about an hour on two cores"

# Each version in a folder of its own: a source or build tree of another one is never reused.
work=${QT_MINGW_WORK:-$cache/qt6-mingw-build}/$version
source_dir=$work/qt6-base-${version#*:}
source_dir=${source_dir%-*}
mkdir -p "$work"
if [ ! -f "$source_dir/CMakeLists.txt" ]; then
    package=$("$root/scripts/fetch-qt-source.sh" "$version")
    # Unpacked with Debian's own patches applied, as Debian builds it.
    (cd "$work" && dpkg-source -x "$package/qt6-base_${version#*:}.dsc")
fi
[ -f "$source_dir/CMakeLists.txt" ] || { echo "dpkg-source left no $source_dir" >&2; exit 1; }

# What changed between the Qt versions built here: Qt 6.8's Windows font database needs Direct2D (which the
# MinGW-w64 of Debian 13 has), and from Qt 6.7 the windowsvista style is in the modernwindows plugin, beside
# windows11.
newer=$(printf '%s\n' "$upstream" 6.7 | sort -V | tail -n 1)
direct2d=OFF style=qwindowsvistastyle
if [ "$newer" = "$upstream" ]; then
    direct2d=ON style=qmodernwindowsstyle
fi

build=$work/build
jobs=${QT_MINGW_JOBS:-$(nproc)}
cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-compilers.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=$direct2d -DFEATURE_vulkan=OFF \
    -DINPUT_opengl=desktop \
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
    plugins/platforms/qoffscreen.dll plugins/platforms/qminimal.dll plugins/styles/$style.dll; do
    [ -f "$prefix/$needed" ] || { echo "the build left out $needed" >&2; exit 1; }
done
# The version line is what scripts/package-windows.sh reads to ship the matching source beside the DLLs.
release=$(. /etc/os-release && echo "${NAME%% *} ${VERSION_ID:-}${VERSION_CODENAME:+ ($VERSION_CODENAME)}")
gcc_version=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix-runtime)
mingw_version=$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)
styles="the windowsvista style"
[ "$style" = qwindowsvistastyle ] || styles="the modernwindows style plugin (windowsvista and windows11 styles)"
cat >"$prefix/README.txt" <<END
Qt $upstream base for 64-bit Windows, cross-built on $release with its MinGW-w64 (gcc-mingw-w64 $gcc_version,
x86_64-w64-mingw32-g++-posix; mingw-w64 $mingw_version)
from Debian's qt6-base $version source: Core, Gui, Widgets, OpenGL, OpenGLWidgets, Test; the
windows, offscreen and minimal platform plugins; $styles; gif and ico image formats.
Off: network, SQL, D-Bus, XML, print support, concurrency, tablet events, DirectWrite 3, JPEG, Vulkan.
Direct2D: $direct2d.
Host tools (moc, rcc, uic) are the host's own Qt $upstream; use this prefix only with host tools of that version.
Built by scripts/build-qt-mingw.sh of the Quendrith tools with the settings written in it.
END
echo "qt6-base $version for x86_64-w64-mingw32, built $(date -u +%Y-%m-%dT%H:%MZ)" > "$prefix/$stamp_name"
echo "Qt for MinGW is in $prefix"
