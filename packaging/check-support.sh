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
# Ends the check here if anything failed so far, saying how much.
stop_if_failed() {
    [ "$failures" -eq 0 ] && return
    echo "$failures check(s) failed" >&2
    exit 1
}
