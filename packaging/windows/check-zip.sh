#!/usr/bin/env bash
# Tries the Windows zip and the Qt source beside it as a user would, from outside the build:
#   check-zip.sh BUILD_DIR PACKAGES_DIR FIND_WINDOW_EXE RESOURCE_REPORT_EXE
# PACKAGES_DIR holds what scripts/package-windows.sh wrote. Unpacks the zip, checks its folder, its licence
# texts and the Qt source, then in a fresh Wine prefix of its own, on an Xvfb of its own and with nothing of Qt
# on the path, reads the executables' resources as Windows does and starts each program from the unpacked folder
# with the windows platform plugin, waiting for its window by title. sorvex first finds a character stored in
# that prefix's registry beforehand and must write its new figures back.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 packages=$2 find_window=$3 resource_report=$4
. "$root/packaging/check-support.sh"
. "$root/packaging/windows/wine-check.sh"

[ -f "$zip" ] || { echo "FAIL: no $zip: $(ls "$packages")" >&2; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder=$work/unpacked/quendrith-tools-$version-win64
[ "$(ls "$work/unpacked")" = "quendrith-tools-$version-win64" ] || fail "the zip does not hold one folder"
for file in pellan.exe sorvex.exe korvane.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    imageformats/qico.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll qt.conf README.txt; do
    [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
# The programs ask for the windowsvista style; without its plugin Qt falls back to the bare windows one.
[ -f "$folder/styles/qmodernwindowsstyle.dll" ] || [ -f "$folder/styles/qwindowsvistastyle.dll" ] ||
    fail "the zip lacks the plugin of the windowsvista style"

# Every licence text, and each shipped program and library named in the notices beside the text it is under.
expect_text() {
    local file=$1 text=$2
    grep -qF "$text" "$folder/$file" 2>/dev/null || fail "the zip's $file does not hold \"$text\""
}
expect_text LICENSE.txt "MIT License"
expect_text LICENSE.txt "The Quendrith Tools authors"
expect_text licenses/LGPL-3.0.txt "GNU LESSER GENERAL PUBLIC LICENSE"
expect_text licenses/LGPL-3.0.txt "Version 3, 29 June 2007"
expect_text licenses/GPL-3.0.txt "GNU GENERAL PUBLIC LICENSE"
expect_text licenses/GPL-3.0.txt "Version 3, 29 June 2007"
expect_text licenses/gcc-mingw-w64-runtime-copyright.txt "GCC RUNTIME LIBRARY EXCEPTION"
expect_text licenses/mingw-w64-copyright.txt "mingw-w64-libraries/winpthreads"
expect_text licenses/qt6-base-copyright.txt "src/3rdparty/harfbuzz-ng"
notices=$(tr -d '\r' <"$folder/THIRD-PARTY-NOTICES.txt" 2>/dev/null | tr '\n' ' ')
while read -r binary; do
    [[ "$notices" == *"${binary//\//\\}"* ]] || fail "THIRD-PARTY-NOTICES.txt does not say under which licence $binary is"
done < <(cd "$folder" && find . -name '*.exe' -o -name '*.dll' | sed 's|^\./||')
for text in LGPL-3.0.txt GPL-3.0.txt qt6-base-copyright.txt gcc-mingw-w64-runtime-copyright.txt mingw-w64-copyright.txt; do
    [[ "$notices" == *"licenses\\$text"* ]] || fail "THIRD-PARTY-NOTICES.txt does not point to licenses\\$text"
done

# The source the Qt DLLs were built from, beside the zip, of the version the README names.
qt_source=$packages/quendrith-tools-$version-qt-source.tar
debian_version=$(tr -d '\r' <"$folder/README.txt" | tr '\n' ' ' | sed -n "s/.*Debian's qt6-base \([^ ]*\) source package.*/\1/p")
[ -n "$debian_version" ] || fail "README.txt does not name the Debian qt6-base source of the Qt DLLs"
[[ "$(tr -d '\r' <"$folder/README.txt")" == *"quendrith-tools-$version-qt-source.tar"* ]] ||
    fail "README.txt does not say where the Qt source is"
if [ ! -f "$qt_source" ]; then
    fail "no $(basename "$qt_source") beside the zip"
else
    source_folder=quendrith-tools-$version-qt-source
    listing=$(tar -tf "$qt_source")
    # Debian's file names leave out a version's epoch.
    file_version=${debian_version#*:}
    for file in "qt6-base_$file_version.dsc" "qt6-base_$file_version.debian.tar.xz" "qt6-base_${file_version%-*}.orig.tar.xz" \
        build/scripts/build-qt-mingw.sh build/cmake/mingw-w64-compilers.cmake README.txt; do
        grep -qxF "$source_folder/$file" <<<"$listing" || fail "the Qt source lacks $file"
    done
    dsc_version=$(tar -xOf "$qt_source" "$source_folder/qt6-base_$file_version.dsc" 2>/dev/null | sed -n 's/^Version: //p')
    [ "$dsc_version" = "$debian_version" ] || fail "the Qt source is qt6-base '$dsc_version', the README names '$debian_version'"
fi
for unwanted in Qt6Test.dll platforms/qoffscreen.dll; do
    [ ! -e "$folder/$unwanted" ] || fail "the zip carries $unwanted, which no program needs"
done
# GUI programs with their resources: an icon group each; sorvex also its string table and version block.
resource_types() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n '/The .rsrc Resource Directory/,$p' |
        sed -n 's/^[0-9a-f]*   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' | tr '\n' ' '
}
for program in pellan sorvex korvane; do
    exe=$folder/$program.exe
    [ -f "$exe" ] || continue
    headers=$(x86_64-w64-mingw32-objdump -p "$exe")
    [[ "$headers" == *"(Windows GUI)"* ]] || fail "$program.exe is no GUI program"
    types=" $(resource_types "$exe")"
    case "$types" in *" e "*) ;; *) fail "$program.exe carries no icon (resource types:$types)" ;; esac
    if [ "$program" = sorvex ]; then
        case "$types" in *" 6 "*" 10 "*) ;; *) fail "sorvex.exe lacks its string table or version block:$types" ;; esac
        [[ "$(strings -el "$exe")" == *"Sorvex intellect converter"* ]] || fail "sorvex.exe's version block lacks its description"
    fi
done
stop_if_failed

# Nothing but the unpacked folder: no Qt prefix on WINEPATH, no plugin path, no platform chosen.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH WINEQT_PLUGIN_PATH WINEQT_QPA_PLATFORM
bash "$session_script" start "$session" >/dev/null

# The executables' resources as Windows reads them: the icon Explorer shows first at every size it asks for,
# the large ones PNG; the version block with the suite's version; the manifest.
report() { timeout 60 bash "$session_script" run "$session" "$resource_report" "$1" | tr -d '\r'; }
for program in pellan sorvex korvane; do
    resources=$(report "$folder/$program.exe")
    icon=$(sed -n '/^icon /{p;q}' <<<"$resources")
    sizes=$(tr ' ' '\n' <<<"${icon#*: }" | cut -d/ -f1 | sort -n | paste -sd' ')
    [ "$sizes" = "16 20 24 32 40 48 64 256" ] || fail "$program.exe's icon has the sizes '$sizes': $icon"
    for large in 64 256; do
        [[ " ${icon#*:} " == *" $large/32/png "* ]] || fail "$program.exe's $large-pixel icon is no PNG: $icon"
    done
    if [ "$program" = sorvex ]; then
        expected_version="version fixed: $version.1"
    else
        expected_version="version ProductVersion: $version"
        grep -qxF "version FileVersion: $version" <<<"$resources" || fail "$program.exe's file version is not $version"
    fi
    grep -qxF "$expected_version" <<<"$resources" || fail "$program.exe lacks '$expected_version': $resources"
    grep -q '^version LegalCopyright: .*The Quendrith Tools authors$' <<<"$resources" ||
        fail "$program.exe's version block lacks the copyright"
    grep -q '^version FileDescription: ..*' <<<"$resources" || fail "$program.exe's version block has no description"
    manifest=$(sed -n '/^manifest:$/,$p' <<<"$resources")
    for wanted in 'level="asInvoker"' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
        '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '>PerMonitorV2'; do
        [[ "$manifest" == *"$wanted"* ]] || fail "$program.exe's manifest lacks $wanted"
    done
    # The store reads names in the ANSI code page that older copies wrote them in.
    [[ "$manifest" != *activeCodePage* ]] || fail "$program.exe's manifest changes the process code page"
done
qt_core_version=$(report "$folder/Qt6Core.dll" | sed -n 's/^version fixed: \([0-9]*\.[0-9]*\.[0-9]*\)\..*/\1/p')
upstream=${debian_version#*:}
upstream=${upstream%-*}
upstream=${upstream%%[+~]*}
[ -n "$upstream" ] && [ "$qt_core_version" = "$upstream" ] ||
    fail "Qt6Core.dll is Qt '$qt_core_version', the source beside it qt6-base '$debian_version'"
for text in README.txt THIRD-PARTY-NOTICES.txt; do
    [[ "$(tr -d '\r' <"$folder/$text" | tr '\n' ' ')" == *"Qt $qt_core_version "* ]] ||
        fail "$text does not name Qt $qt_core_version, the version of Qt6Core.dll"
done

reg() { timeout 60 bash "$session_script" run "$session" reg "$@" | tr -d '\r'; }
key='HKCU\Software\Quendrith Converter'
store_older_character

run() {
    local program=$1 title=$2
    (cd "$work" && exec bash "$session_script" run "$session" "$folder/$program.exe" >"$work/$program.log" 2>&1) &
    local pid=$!
    if ! timeout 90 bash "$session_script" run "$session" "$find_window" "$title" 60 close; then
        fail "$program.exe showed no window titled \"$title\""
        cat "$work/$program.log" >&2
    fi
    if ! timeout 30 tail --pid="$pid" -f /dev/null; then
        fail "$program.exe did not end"
        kill "$pid" 2>/dev/null || true
    fi
}
run pellan "Brannoc's Pellan 95 - By Ellis Marrow"
run sorvex Sorvex
run korvane "196 How many improves for my next level?"

query=$(reg query "$key\\Player1" /v Magic_Number)
echo "$query" | grep -Eq 'Magic_Number +REG_DWORD +0xbd$' ||
    fail "sorvex did not write the figures of the stored character back (Magic_Number 189 expected): $query"
# Exported as UTF-16, whatever code page the console output would take.
reg export "$key" 'C:\names.reg' /y >/dev/null
names=$(iconv -f UTF-16LE -t UTF-8 < "$session/prefix/drive_c/names.reg" | tr -d '\r' | grep Player_Name1 || true)
echo "$names" | grep -q 'Ærwyn' || fail "sorvex did not keep the stored name: $names"

stop_if_failed
echo "the zip's three programs start from the unpacked folder"
