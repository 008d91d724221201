#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole test suite headless:
#   werror  warnings as errors, with the window tests offscreen, and the sources' formatting
#   asan    AddressSanitizer and UndefinedBehaviorSanitizer
#   mingw   the platform-free cores cross-compiled for Windows, run under Wine
#   fuzz    short libFuzzer runs (clang)
#   windows the three programs cross-built for Windows against a Qt for MinGW of the host Qt's version, their
#           tests, the zip and the setup run under Wine; skipped, and said so, when no such Qt is there
#           (scripts/qt-windows-prefix.sh). The Windows downloads are Debian 13's: Qt 6.8 with its host tools.
# All trees are run as one CTest suite, so the run ends with its summary line. Named trees alone run by
# themselves: CI runs ./test.sh werror asan mingw fuzz on Debian 12 and ./test.sh werror windows in a Debian 13
# root (scripts/debian13-root.sh).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

all_trees=(werror asan mingw fuzz windows)
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=("${all_trees[@]}")
for tree in "${wanted[@]}"; do
    [[ " ${all_trees[*]} " == *" $tree "* ]] || { echo "usage: $0 [${all_trees[*]// /|}]..." >&2; exit 2; }
done
want() { [[ " ${wanted[*]} " == *" $1 "* ]]; }

scripts/setup.sh test

jobs=$(nproc)
# Every tree is configured from its preset at every run, so that a changed option reaches a tree that exists.
configure() {
    cmake --preset "$1"
    cmake --build --preset "$1" --parallel "$jobs"
}

trees=""
for tree in werror asan mingw fuzz; do
    if want "$tree"; then
        configure "$tree"
        trees="$trees \"$tree\""
    fi
done

# Said at the start and again after the summary, where it is read; not a failure.
windows_skipped=""
mkdir -p build
if ! want windows; then
    windows_skipped="The windows tree is not run: not asked for (./test.sh windows runs it; on Debian 12, in the"
    windows_skipped+=" Debian 13 root: scripts/debian13-root.sh run . ./test.sh windows)"
    echo "$windows_skipped" >&2
elif qt_windows=$(scripts/qt-windows-prefix.sh 2>build/qt-windows-prefix.txt); then
    cat build/qt-windows-prefix.txt >&2
    # The source shipped beside the Qt DLLs is fetched here, with the rest of the set-up, not while tests run.
    scripts/fetch-qt-source.sh --prefix "$qt_windows" >/dev/null
    QT_WINDOWS_PREFIX=$qt_windows configure windows
    trees="$trees \"windows\""
else
    windows_skipped="The windows tree is skipped: $(tr '\n' ' ' <build/qt-windows-prefix.txt | sed 's/ $//')"
    echo "$windows_skipped" >&2
fi

echo "subdirs($trees)" > build/CTestTestfile.cmake

# A fresh Wine prefix for every run; no installer may be offered and no Wine process may outlive the tests.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/wineprefix.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
ctest --test-dir build --output-on-failure --parallel "$jobs" || status=$?
[ -z "$windows_skipped" ] || echo "$windows_skipped" >&2
exit "$status"
