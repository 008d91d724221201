#!/usr/bin/env bash
# Tries the Windows setup as a user without administrator rights would, in a fresh Wine prefix of its own:
#   check-installer.sh BUILD_DIR PACKAGES_DIR FIND_WINDOW_EXE SHORTCUT_TARGET_EXE
# PACKAGES_DIR holds what scripts/package-windows.sh wrote. A silent install lays out the zip's folder, the
# Start-menu shortcuts and one Apps entry; sorvex, started from its shortcut's target, finds a character stored
# beforehand, and while it runs neither the setup nor the uninstaller touches the folder. It is installed over
# what users have today, the setup of the Qt 6.4 build, and replaces it in place. A setup of a higher
# version, made from the same folder less one plugin, upgrades in place and leaves nothing of the earlier one;
# installing it again, into another folder, moves the installation. The silent uninstall leaves nothing but the
# character.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 packages=$2 find_window=$3 shortcut_target=$4
. "$root/packaging/check-support.sh"
. "$root/packaging/windows/wine-check.sh"
setup=$packages/quendrith-tools-$version-win64-setup.exe
[ -f "$setup" ] && [ -f "$zip" ] || { echo "FAIL: no setup or zip of $version in $packages" >&2; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
shipped=$work/unpacked/quendrith-tools-$version-win64

# Nothing of Qt on the path: the installed folder must be enough.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH WINEQT_PLUGIN_PATH WINEQT_QPA_PLATFORM
bash "$session_script" start "$session" >/dev/null
wine() { timeout 120 bash "$session_script" run "$session" "$@"; }
reg() { wine reg "$@" | tr -d '\r'; }
unix_path() { wine winepath -u "$1" | tr -d '\r'; }
# A command line as the Apps settings run it, through the command processor; its exit code is the command's.
run_command_line() {
    printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$session/prefix/drive_c/command.bat"
    wine cmd /c 'C:\command.bat'
}

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quendrith Tools'
entry_values=""
read_entry() { entry_values=$(reg query "$uninstall_key" 2>/dev/null || true); }
entry() { sed -n "s/^ *$1 *REG_[A-Z]* *//p" <<<"$entry_values"; }
entries() { reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -ci quendrith || true; }
appdata=$(wine cmd /c echo %APPDATA% | tr -d '\r')
menu_windows="$appdata\Microsoft\Windows\Start Menu\Programs\Quendrith Tools"
menu="$(unix_path "$appdata")/Microsoft/Windows/Start Menu/Programs/Quendrith Tools"
# Files, sizes and times, to tell whether a folder was touched.
listing() { (cd "$1" && find . -type f -printf '%p %s %T@\n' | LC_ALL=C sort); }

key='HKCU\Software\Quendrith Converter'
store_older_character

# The installation as the Apps entry describes it, checked against the folder it was made from.
check_installed() {
    local expected_version=$1 expected_files=$2
    read_entry
    [ "$(entries)" = 1 ] || fail "$(entries) Apps entries of Quendrith Tools, expected one"
    for value in DisplayName DisplayVersion Publisher DisplayIcon InstallLocation UninstallString \
        QuietUninstallString EstimatedSize NoModify NoRepair; do
        [ -n "$(entry $value)" ] || fail "the Apps entry lacks $value"
    done
    [ "$(entry DisplayVersion)" = "$expected_version" ] || fail "DisplayVersion is '$(entry DisplayVersion)'"
    location=$(entry InstallLocation)
    installed=$(unix_path "$location")
    [ -f "$(unix_path "$(entry DisplayIcon | sed 's/,[0-9]*$//')")" ] || fail "DisplayIcon $(entry DisplayIcon) is no file"
    local size_kb=$(($(entry EstimatedSize)))
    local actual_kb=$(($(du -sk --apparent-size "$installed" | cut -f1)))
    [ "$size_kb" -gt $((actual_kb * 9 / 10)) ] && [ "$size_kb" -le "$actual_kb" ] ||
        fail "EstimatedSize is $size_kb KiB, the folder $actual_kb KiB"

    # Exactly the shipped files, the licence texts among them, besides the uninstaller and the file list.
    diff -r "$expected_files" "$installed" >"$work/diff" || true
    grep -v -e 'uninstall\.exe$' -e 'installed-files\.txt$' "$work/diff" >"$work/unexpected" &&
        fail "the installed folder differs from the one shipped: $(cat "$work/unexpected")"
    [ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe in $location"
    for program in Pellan Sorvex Korvane; do
        local target
        target=$(wine "$shortcut_target" "$menu_windows\\$program.lnk" | tr -d '\r') || true
        [ "$target" = "$location\\${program,,}.exe" ] || fail "the shortcut $program.lnk starts '$target'"
    done
    [ "$(ls "$menu" 2>/dev/null | wc -l)" = 3 ] || fail "the Start-menu folder holds: $(ls "$menu" 2>&1)"
}

# Today's release as users have it installed: 1.0.0 on Qt 6.4, whose files bore the names they bear now but
# for the style plugin, which Qt 6.7 renamed, installed by a setup that this script made the same way.
released=1.0.0
cp -r "$shipped" "$work/released"
if [ -f "$work/released/styles/qmodernwindowsstyle.dll" ]; then
    mv "$work/released/styles/qmodernwindowsstyle.dll" "$work/released/styles/qwindowsvistastyle.dll"
fi
bash "$root/packaging/windows/make-installer.sh" "$work/released" "$released" "$work/released-setup.exe" >/dev/null
status=0
wine "$work/released-setup.exe" /S || status=$?
[ "$status" = 0 ] || fail "installing the Qt 6.4 build's setup of $released ended with $status"
check_installed "$released" "$work/released"
stop_if_failed

status=0
wine "$setup" /S || status=$?
[ "$status" = 0 ] || fail "the silent install over the Qt 6.4 build ended with $status"
check_installed "$version" "$shipped"
[ -e "$shipped/styles/qwindowsvistastyle.dll" ] || [ ! -e "$installed/styles/qwindowsvistastyle.dll" ] ||
    fail "the install left the Qt 6.4 build's styles\\qwindowsvistastyle.dll"
grep -q 'Player_Name1 *REG_SZ' <<<"$(reg query "$key" /v Player_Name1 2>/dev/null || true)" ||
    fail "the install over the Qt 6.4 build took the stored character"
[[ "$location" == *'\AppData\Local\Programs\Quendrith Tools' ]] || fail "installed into $location"
stop_if_failed

# sorvex started from its shortcut's target, as the Start menu starts it.
sorvex_target=$(wine "$shortcut_target" "$menu_windows\\Sorvex.lnk" | tr -d '\r')
(cd "$work" && exec bash "$session_script" run "$session" "$sorvex_target" >"$work/sorvex.log" 2>&1) &
sorvex=$!
if wine "$find_window" Sorvex 60 >/dev/null; then
    before=$(listing "$installed")
    status=0
    wine "$setup" /S || status=$?
    [ "$status" = 2 ] || fail "the silent install did not stop with 2 while sorvex was running: $status"
    status=0
    run_command_line "$(entry QuietUninstallString)" || status=$?
    [ "$status" = 2 ] || fail "the silent uninstall did not stop with 2 while sorvex was running: $status"
    [ "$before" = "$(listing "$installed")" ] || fail "the folder changed while sorvex was running"
    [ "$(entries)" = 1 ] || fail "the Apps entry changed while sorvex was running"
    wine "$find_window" Sorvex 30 close >/dev/null || fail "sorvex did not close"
else
    fail "sorvex, started from its shortcut, showed no window"
    cat "$work/sorvex.log" >&2
fi
timeout 30 tail --pid="$sorvex" -f /dev/null || { fail "sorvex did not end"; kill "$sorvex" 2>/dev/null || true; }
query=$(reg query "$key\\Player1" /v Magic_Number)
grep -Eq 'Magic_Number +REG_DWORD +0xbd$' <<<"$query" ||
    fail "the installed sorvex did not write the figures of the stored character back: $query"
stop_if_failed

# A higher version that no longer ships the style plugin: it goes, with its folder, and nothing else changes.
IFS=. read -r major minor patch <<<"$version"
higher=$major.$minor.$((patch + 1))
cp -r "$shipped" "$work/higher"
rm -r "$work/higher/styles"
bash "$root/packaging/windows/make-installer.sh" "$work/higher" "$higher" "$work/higher-setup.exe" >/dev/null
status=0
wine "$work/higher-setup.exe" /S || status=$?
[ "$status" = 0 ] || fail "the upgrade to $higher ended with $status"
check_installed "$higher" "$work/higher"
[ ! -e "$installed/styles" ] || fail "the upgrade left the earlier version's styles folder"

# The same version again, into another folder: the installation moves there.
earlier=$installed
status=0
wine "$work/higher-setup.exe" /S '/D=C:\Quendrith' || status=$?
[ "$status" = 0 ] || fail "installing $higher again into C:\\Quendrith ended with $status"
check_installed "$higher" "$work/higher"
[ "$location" = 'C:\Quendrith' ] || fail "/D=C:\\Quendrith installed into $location"
[ ! -e "$earlier" ] || fail "moving the installation left $earlier: $(ls "$earlier")"
stop_if_failed

status=0
run_command_line "$(entry QuietUninstallString)" || status=$?
[ "$status" = 0 ] || fail "the silent uninstall ended with $status"
# The uninstaller's last step, removing itself and the folder, runs just after it has ended.
for _ in $(seq 100); do
    [ -e "$installed" ] || break
    sleep 0.2
done
[ ! -e "$installed" ] || fail "the uninstall left $(find "$installed")"
[ ! -e "$menu" ] || fail "the uninstall left the Start-menu folder: $(ls "$menu")"
[ "$(entries)" = 0 ] || fail "the uninstall left the Apps entry"
grep -Eq 'Magic_Number +REG_DWORD +0xbd$' <<<"$(reg query "$key\\Player1" /v Magic_Number)" ||
    fail "the uninstall took the stored character"

stop_if_failed
echo "the setup installs, upgrades, moves and uninstalls as it should"
