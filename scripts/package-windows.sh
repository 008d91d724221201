#!/usr/bin/env bash
# Writes the Windows zip of the three programs:
#   scripts/package-windows.sh OUTDIR [BUILD_DIR]
# OUTDIR/quendrith-tools-VERSION-win64.zip holds one folder with pellan.exe, sorvex.exe and korvane.exe, the Qt
# DLLs and plugins they load, the MinGW runtime DLLs, qt.conf and README.txt. BUILD_DIR (default build/windows)
# is a Windows cross build tree against a Qt for MinGW; when it is not configured yet, it is configured here
# with the prefix scripts/qt-windows-prefix.sh finds. Only the three programs are built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 OUTDIR [BUILD_DIR]" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${2:-$root/build/windows}

if [ ! -f "$build/CMakeCache.txt" ]; then
    qt=$("$root/scripts/qt-windows-prefix.sh")
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-qt.cmake"
fi
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
case "$(cache_value CMAKE_CXX_COMPILER_AR)" in *mingw32*) ;; *) echo "$build is not a Windows cross build tree" >&2; exit 1 ;; esac
cmake --build "$build" --target pellan sorvex korvane --parallel "${JOBS:-$(nproc)}"

version=$(cache_value CMAKE_PROJECT_VERSION)
qt=$(cd "$(cache_value Qt6_DIR)/../../.." && pwd)
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")/\1/p' "$qt/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" 2>/dev/null || true)
name=quendrith-tools-$version-win64
work=$(mktemp -d "${TMPDIR:-/tmp}/package-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/$name
mkdir -p "$stage/platforms"

for program in pellan sorvex korvane; do
    exe=$(find "$build" -name "$program.exe" -not -path '*/CMakeFiles/*' | head -n 1)
    [ -n "$exe" ] || { echo "the build left out $program.exe" >&2; exit 1; }
    x86_64-w64-mingw32-strip --strip-debug -o "$stage/$program.exe" "$exe"
done
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
if [ -f "$qt/plugins/styles/qwindowsvistastyle.dll" ]; then
    mkdir -p "$stage/styles"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
fi

# Every DLL the programs and plugins import, and those imports' own, that the Qt prefix provides; the rest
# (kernel32.dll and the like) are Windows' own.
pending=("$stage"/*.exe "$stage"/platforms/*.dll)
[ ! -d "$stage/styles" ] || pending+=("$stage"/styles/*.dll)
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
copyright=$(cat "$root/packaging/copyright")
sed -e "s|@VERSION@|$version|" -e "s|@QT_VERSION@|${qt_version:-6}|" "$root/packaging/windows/README.txt.in" |
    awk -v text="$copyright" '{ if ($0 == "@COPYRIGHT@") print text; else print }' | sed 's/$/\r/' > "$stage/README.txt"

rm -f "$out/$name.zip"
(cd "$work" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")
echo "$out/$name.zip"
