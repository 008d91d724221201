#!/usr/bin/env bash
# Makes the per-user setup program of a staged Windows folder (the folder of the zip) with NSIS:
#   make-installer.sh STAGE VERSION OUTFILE
# The setup installs every file of STAGE and the list of them (installed-files.txt), which the next version's
# setup and the uninstaller remove.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -eq 3 ] || { echo "usage: $0 STAGE VERSION OUTFILE" >&2; exit 2; }
stage=$(cd "$1" && pwd)
version=$2
outfile=$3
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "the version must be MAJOR.MINOR.PATCH: $version" >&2; exit 2; }
command -v makensis >/dev/null || { echo "makensis is not installed (scripts/setup.sh test installs nsis)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/make-installer.XXXXXX")
trap 'rm -rf "$work"' EXIT
list_name=installed-files.txt

mapfile -t files < <(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ ${#files[@]} -gt 0 ] || { echo "$stage holds no files" >&2; exit 1; }
for file in "${files[@]}"; do
    # Nothing that NSIS would read as a variable or that a path could not hold.
    [[ "$file" =~ ^[A-Za-z0-9._+/-]+$ ]] || { echo "cannot install a file named $file" >&2; exit 1; }
    [ "$file" != "$list_name" ] || { echo "$stage must not hold $list_name" >&2; exit 1; }
done

# Files first, then their folders, deepest first, each ending in a backslash.
{
    printf '%s\r\n' "${files[@]//\//\\}"
    printf '%s\n' "${files[@]}" | awk -F/ '{ p = $1; for (i = 2; i < NF; i++) { print p; p = p "/" $i } if (NF > 1) print p }' |
        LC_ALL=C sort -u -r | sed 's|/|\\|g; s|$|\\\r|'
} >"$work/$list_name"

{
    # The list first: a setup stopped half-way leaves a folder that the next setup or the uninstaller can clear.
    echo '!macro InstallFiles'
    echo '    SetOutPath "$INSTDIR"'
    echo "    File \"$work/$list_name\""
    previous=.
    for file in "${files[@]}"; do
        folder=$(dirname "$file")
        if [ "$folder" != "$previous" ]; then
            if [ "$folder" = . ]; then
                echo '    SetOutPath "$INSTDIR"'
            else
                echo "    SetOutPath \"\$INSTDIR\\${folder//\//\\}\""
            fi
            previous=$folder
        fi
        echo "    File \"$stage/$file\""
    done
    echo '!macroend'
} >"$work/files.nsh"

size_kb=$(du -sk --apparent-size "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DSTAGE="$stage" -DFILES="$work/files.nsh" -DLIST="$list_name" -DSIZE_KB="$size_kb" \
    -DICON="$root/pellan/assets/pellan.ico" -DOUTFILE="$(cd "$(dirname "$outfile")" && pwd)/$(basename "$outfile")" \
    "$root/packaging/windows/installer.nsi"
