#!/usr/bin/env bash
# Makes the Windows zip from a built Windows tree and tries it as a user would, from outside the build:
#   check-zip.sh BUILD_DIR FIND_WINDOW_EXE
# unpacks it, checks its folder, then in a fresh Wine prefix of its own, on an Xvfb of its own and with
# nothing of Qt on the path, starts each program from the unpacked folder with the windows platform plugin and
# waits for its window by title. sorvex first finds a character stored in that prefix's registry beforehand
# and must write its new figures back.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
find_window=$2
session_script=$root/cmake/wine-session.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/check-zip.XXXXXX")
cleanup() {
    bash "$session_script" stop "$work/session" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

zip=$("$root/scripts/package-windows.sh" "$work/out" "$build" | tail -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$(basename "$zip")" = "quendrith-tools-$version-win64.zip" ] || fail "the zip is called $(basename "$zip")"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder=$work/unpacked/quendrith-tools-$version-win64
[ "$(ls "$work/unpacked")" = "quendrith-tools-$version-win64" ] || fail "the zip does not hold one folder"
for file in pellan.exe sorvex.exe korvane.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll qt.conf README.txt; do
    [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
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
[ "$failures" -eq 0 ] || exit 1

# Nothing but the unpacked folder: no Qt prefix on WINEPATH, no plugin path, no platform chosen.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH WINEQT_PLUGIN_PATH WINEQT_QPA_PLATFORM
session=$work/session
bash "$session_script" start "$session" >/dev/null

reg() { timeout 60 bash "$session_script" run "$session" reg "$@" | tr -d '\r'; }
key='HKCU\Software\Quendrith Converter'
# A character as an older copy left it: its figures not yet worked out (Magic_Number 0), a name in the
# system code page.
reg add "$key" /v Player_Name1 /t REG_SZ /d 'Ærwyn' /f >/dev/null
for value in Kraanan=0 Shalille=0 Faren=0 WeaponCraft=0 Riija=1 Qor=0 Jala=0 Spells=2 Spell_P0=1 Spell_P1=1 \
    Spell_P2=1 Current_Intel=0 Magic_Number=0; do
    reg add "$key\\Player1" /v "${value%%=*}" /t REG_DWORD /d "${value#*=}" /f >/dev/null
done

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

[ "$failures" -eq 0 ] || exit 1
echo "the zip's three programs start from the unpacked folder"
