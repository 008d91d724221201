#!/usr/bin/env bash
# Builds the suite's .deb from a configured and built tree and checks it as a user's system would see it:
#   check-deb.sh BUILD_DIR VERSION EXPECTED_FILES PROGRAM...
# the control fields, the file list against EXPECTED_FILES, lintian where installed, the desktop entries and
# the metainfo, and each PROGRAM started from the unpacked package.
set -euo pipefail

build=$1
version=$2
expected_files=$3
shift 3
programs=("$@")

. "$(dirname "$0")/check-support.sh"
running=()
clean_up() {
    for pid in "${running[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup.sh test installs it)" >&2; exit 1; }
done

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack" >&2
    exit 1
}
debs=("$work"/cpack/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
expect_field() {
    local name=$1 want=$2 got
    got=$(field "$name")
    [ "$got" = "$want" ] || fail "$name is '$got', expected '$want'"
}
expect_field Package quendrith-tools
# The one version of project() in the top CMakeLists.txt, with the Debian release it was built for.
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[[ $version == "$project_version" || $version == "$project_version~deb"[0-9]* ]] ||
    fail "package version $version is not project() version $project_version for a release"
release=$(. /etc/os-release && echo "${ID:-}:${VERSION_ID:-}")
[[ $release != debian:* ]] || [ "$version" = "$project_version~deb${release#debian:}" ] ||
    fail "package version $version does not name this system's release ($release)"
expect_field Version "$version"
[ "$(basename "$deb")" = "quendrith-tools_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "package file $(basename "$deb") does not carry the version $version"
expect_field Architecture "$(dpkg --print-architecture)"
expect_field Section utils
expect_field Priority optional
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is not 'name <address>'"
description=$(field Description)
[[ $(head -n1 <<<"$description") == *role-playing* ]] || fail "Description has no summary line: $description"
[ "$(wc -l <<<"$description")" -gt 1 ] || fail "Description has no long text"

# dpkg-shlibdeps must have found the libraries the programs link against, with their versions, as this release
# names them (Debian 13's Qt packages end in t64), and each must be installable here.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ ", $depends" =~ ,\ "$library"(t64)?\ \(\>=\  ]] || fail "Depends lacks a versioned $library: $depends"
done
[[ ", $depends," =~ ,\ fonts-liberation(2|\ \(\>=\ 1:2\)), ]] ||
    fail "Depends lacks the fonts the windows are laid out for: $depends"
for package in $(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | sort -u); do
    apt-cache show "$package" >/dev/null 2>&1 || dpkg-query -W "$package" >/dev/null 2>&1 ||
        fail "Depends names $package, which this system does not have"
done

# Regular files and links only: the folders follow from them.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/actual"
awk -v programs=" ${programs[*]} " '
    /^#/ || NF == 0 { next }
    $1 == "suite" || index(programs, " " $1 " ") { print $2 }
' "$expected_files" | sort >"$work/expected"
diff -u --label expected --label package "$work/expected" "$work/actual" || fail "the package's files differ from $expected_files"

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning --display-info "$deb" || fail "lintian"
else
    echo "lintian is not installed; skipped"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"
for desktop in "$root"/usr/share/applications/*.desktop; do
    # Hints are fine: the entries belong to both Game and Utility on purpose.
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate $(basename "$desktop"): $report"
    grep -v ': hint: ' <<<"$report" | grep . && fail "desktop-file-validate $(basename "$desktop") warns"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$(basename "$desktop"): no icon '$icon'"
done
for metainfo in "$root"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $(basename "$metainfo")"
done

# Each program is started as installed and must still be running after two seconds.
mkdir "$work/config"
for program in "${programs[@]}"; do
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$root/usr/bin/$program" >"$work/$program.log" 2>&1 &
    pid=$!
    running+=("$pid")
    sleep 2
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        echo "$program started from the package"
    else
        status=0
        wait "$pid" || status=$?
        cat "$work/$program.log" >&2
        fail "$program from the package ended within two seconds with status $status"
    fi
done

stop_if_failed
echo "package checks passed"
