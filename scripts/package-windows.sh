#!/usr/bin/env bash
# Writes the Windows downloads of the three programs:
#   scripts/package-windows.sh OUTDIR [BUILD_DIR]
# OUTDIR/quendrith-tools-VERSION-win64.zip        one folder with pellan.exe, sorvex.exe and korvane.exe, the Qt
#                                                 DLLs and plugins they load, the MinGW runtime DLLs, qt.conf,
#                                                 README.txt, LICENSE.txt, THIRD-PARTY-NOTICES.txt and licenses\
# OUTDIR/quendrith-tools-VERSION-win64-setup.exe  the per-user setup of the same folder (NSIS)
# OUTDIR/quendrith-tools-VERSION-qt-source.tar    Debian's qt6-base source that the Qt DLLs were built from, of
#                                                 the version the Qt prefix's README.txt names, and the script and
#                                                 settings that built them
# BUILD_DIR (default build/windows) is a Windows cross build tree against a Qt for MinGW; build/windows, when it
# is not configured yet, is configured here from its preset with the prefix scripts/qt-windows-prefix.sh finds. Only the three
# programs are built. Without the Qt source nothing is written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 OUTDIR [BUILD_DIR]" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${2:-$root/build/windows}

if [ ! -f "$build/CMakeCache.txt" ]; then
    # The test command's own tree, as its preset makes it.
    [ "$build" = "$root/build/windows" ] || { echo "$build is not configured" >&2; exit 1; }
    qt_prefix=$("$root/scripts/qt-windows-prefix.sh")
    (cd "$root" && QT_WINDOWS_PREFIX=$qt_prefix cmake --preset windows)
fi
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
case "$(cache_value CMAKE_CXX_COMPILER_AR)" in *mingw32*) ;; *) echo "$build is not a Windows cross build tree" >&2; exit 1 ;; esac

version=$(cache_value CMAKE_PROJECT_VERSION)
qt=$(cd "$(cache_value Qt6_DIR)/../../.." && pwd)
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")/\1/p' "$qt/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" 2>/dev/null || true)
# Before anything is built or written: the DLLs may only go out with their source.
qt_source=$("$root/scripts/fetch-qt-source.sh" --prefix "$qt")
qt_debian_version=$(basename "$qt_source")

cmake --build "$build" --target pellan sorvex korvane --parallel "${JOBS:-$(nproc)}"

name=quendrith-tools-$version-win64
work=$(mktemp -d "${TMPDIR:-/tmp}/package-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/$name
mkdir -p "$stage/platforms" "$stage/licenses"

for program in pellan sorvex korvane; do
    exe=$(find "$build" -name "$program.exe" -not -path '*/CMakeFiles/*' | head -n 1)
    [ -n "$exe" ] || { echo "the build left out $program.exe" >&2; exit 1; }
    x86_64-w64-mingw32-strip --strip-debug -o "$stage/$program.exe" "$exe"
done
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
# The windowsvista style the programs choose: from Qt 6.7 in the modernwindows plugin, beside windows11.
style=styles/qmodernwindowsstyle.dll
[ -f "$qt/plugins/$style" ] || style=styles/qwindowsvistastyle.dll
# The window icons are .ico files, which Qt reads with its ico plugin.
for plugin in "$style" imageformats/qico.dll; do
    [ -f "$qt/plugins/$plugin" ] || { echo "the Qt prefix lacks plugins/$plugin" >&2; exit 1; }
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$stage/$plugin"
done

# Every DLL the programs and plugins import, and those imports' own, that the Qt prefix provides; the rest
# (kernel32.dll and the like) are Windows' own.
pending=("$stage"/*.exe "$stage"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    while read -r dll; do
        [ -e "$stage/$dll" ] && continue
        if [ -f "$qt/bin/$dll" ]; then
            cp "$qt/bin/$dll" "$stage/"
            pending+=("$stage/$dll")
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
for runtime in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    [ -f "$stage/$runtime" ] || { echo "$runtime is not among the imports found in $qt/bin" >&2; exit 1; }
done
# Plugins from beside the programs only, never from a Qt installed elsewhere on the machine.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\n' > "$stage/qt.conf"

# The licences: ours, and the texts of everything else that is shipped, from Debian's copies.
crlf() { sed 's/\r*$/\r/'; }
licence() {
    [ -f "$1" ] || { echo "cannot ship the licence text $1: it is not there" >&2; exit 1; }
    crlf <"$1" >"$stage/licenses/$2"
}
crlf <"$root/LICENSE" >"$stage/LICENSE.txt"
licence /usr/share/common-licenses/LGPL-3 LGPL-3.0.txt
licence /usr/share/common-licenses/GPL-3 GPL-3.0.txt
licence /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright gcc-mingw-w64-runtime-copyright.txt
licence /usr/share/doc/mingw-w64-x86-64-dev/copyright mingw-w64-copyright.txt
tar -xJf "$qt_source"/qt6-base_*.debian.tar.xz -O debian/copyright | crlf >"$stage/licenses/qt6-base-copyright.txt"

qt_files=$(cd "$stage" && find . -name 'Qt6*.dll' -o -path './*/*.dll' | sed 's|^\./||; s|/|\\|g' | LC_ALL=C sort |
    paste -sd, | sed 's/,/, /g' | fold -s -w 108 | sed 's/ *$//')
# The MinGW runtime beside the programs is the cross compiler's, as Debian packages it on this system.
gcc_package=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix-runtime)
mingw_package=$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)
gcc_version=${gcc_package#*:}
gcc_version=${gcc_version%%-*}
mingw_version=${mingw_package#*:}
mingw_version=${mingw_version%%-*}
release=$(. /etc/os-release && echo "${NAME%% *} ${VERSION_ID:-}${VERSION_CODENAME:+ ($VERSION_CODENAME)}")
fill() {
    sed -e "s|@VERSION@|$version|g" -e "s|@QT_VERSION@|${qt_version:-6}|g" \
        -e "s|@GCC_VERSION@|$gcc_version|g" -e "s|@GCC_PACKAGE_VERSION@|$gcc_package|g" \
        -e "s|@MINGW_VERSION@|$mingw_version|g" -e "s|@MINGW_PACKAGE_VERSION@|$mingw_package|g" \
        -e "s|@RELEASE@|$release|g" \
        -e "s|@QT_DEBIAN_VERSION@|$qt_debian_version|g" -e "s|@QT_DSC_VERSION@|${qt_debian_version#*:}|g" "$1" |
        files=$2 awk '{ if ($0 == "@QT_FILES@" || $0 == "@SOURCE_FILES@") print ENVIRON["files"]; else print }'
}
fill "$root/packaging/windows/README.txt.in" "" | crlf >"$stage/README.txt"
fill "$root/packaging/windows/THIRD-PARTY-NOTICES.txt.in" "$qt_files" | crlf >"$stage/THIRD-PARTY-NOTICES.txt"

rm -f "$out/$name.zip"
(cd "$work" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")

"$root/packaging/windows/make-installer.sh" "$stage" "$version" "$out/$name-setup.exe"

source_name=quendrith-tools-$version-qt-source
source_stage=$work/$source_name
mkdir -p "$source_stage/build/scripts" "$source_stage/build/cmake"
cp "$qt_source"/qt6-base_* "$source_stage/"
cp "$root/scripts/build-qt-mingw.sh" "$root/scripts/fetch-qt-source.sh" "$root/scripts/setup.sh" \
    "$source_stage/build/scripts/"
cp "$root/cmake/mingw-w64-compilers.cmake" "$source_stage/build/cmake/"
cp "$qt/README.txt" "$source_stage/build/qt6-mingw-README.txt"
fill "$root/packaging/windows/qt-source-README.txt.in" "$(cd "$qt_source" && ls qt6-base_* | sed 's/^/    /')" |
    crlf >"$source_stage/README.txt"
tar -cf "$out/$source_name.tar" -C "$work" --sort=name --owner=0 --group=0 --numeric-owner "$source_name"

echo "$out/$name.zip"
echo "$out/$name-setup.exe"
echo "$out/$source_name.tar"
