# Sourced by the package checks: a work folder of the check's own, removed at exit after whatever the check
# puts in its clean_up function, and a count of the checks that failed.
work=$(mktemp -d "${TMPDIR:-/tmp}/$(basename "$0" .sh).XXXXXX")
clean_up() { :; }
trap 'clean_up; rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# For the Windows checks, through their own reg (Wine's reg in the check's prefix): a character as an older copy
# of sorvex left it, its figures not yet worked out (Magic_Number 0), its name in the system code page.
store_older_character() {
    local key='HKCU\Software\Quendrith Converter'
    reg add "$key" /v Player_Name1 /t REG_SZ /d 'Ærwyn' /f >/dev/null
    for value in Kraanan=0 Shalille=0 Faren=0 WeaponCraft=0 Riija=1 Qor=0 Jala=0 Spells=2 Spell_P0=1 Spell_P1=1 \
        Spell_P2=1 Current_Intel=0 Magic_Number=0; do
        reg add "$key\\Player1" /v "${value%%=*}" /t REG_DWORD /d "${value#*=}" /f >/dev/null
    done
}

# Ends the check here if anything failed so far, saying how much.
stop_if_failed() {
    [ "$failures" -eq 0 ] && return
    echo "$failures check(s) failed" >&2
    exit 1
}
