#!/usr/bin/env bash
# Random input from outside: each program of a build tree (the sanitizer tree by default) runs on an Xvfb of its own
# and gets real X input from xdotool for a while: clicks at random points of its windows, keys, odd texts typed into
# whatever has the focus. A program that ends normally (Exit, Escape) is started again. The run fails when a
# program dies from a signal, exits with another status, or a sanitizer reports an error; its output is kept.
#
#   tools/random-x-input.sh [build-dir] [seconds per program] [seed] [program...]
#   tools/random-x-input.sh build/asan 120 1 pellan sorvex korvane
#
# Needs Xvfb, xdotool and xwininfo (apt-get install xvfb xdotool x11-utils). sorvex keeps its characters in a scratch XDG_CONFIG_HOME.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/asan}
seconds=${2:-120}
seed=${3:-1}
shift $(($# < 3 ? $# : 3))
programs=(pellan sorvex korvane)
[ $# -eq 0 ] || programs=("$@")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/random-x-input.XXXXXX")
xvfb_pid=""
program_pid=""
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Xvfb picks a free display itself; without -noreset it would reset, and refuse clients meanwhile, each time the
# last one leaves.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
root=$(($(xwininfo -root | awk '/Window id:/ { print $4 }')))

# Not strict_string_checks, which the test command sets: xkbcommon hands strndup a key name that is not
# null-terminated as it reads the X server's keymap, which is allowed, at every start under X.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
# Under X, Qt also asks for the session bus; libdbus keeps what it allocated for that until exit.
{ cat scripts/lsan.supp; echo "leak:libdbus-1.so"; } >"$scratch/lsan.supp"
export LSAN_OPTIONS="suppressions=$scratch/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

texts=("" "-" "+" "." "," "1.5" "2,5" "-0" "+00" " 7 " "0" "27" "50" "51" "99" "100" "297" "298" "-3"
    "32767" "32768" "-32768" "-32769" "65536" "2147483647" "2147483648" "-2147483649" "99999999999999999999"
    "Ωμέγα" "Кириллица" "漢字" "مرحبا" "\"" "'" "\\" "[Player1]" "{}" "()" "%1 %2" "&File" "Faren" "Weapon Class"
    "$(printf '9%.0s' $(seq 300))")
keys=(Tab shift+Tab space Return KP_Enter Escape Up Down Left Right F1 BackSpace Delete ctrl+a alt+Down Menu
    ctrl+1 ctrl+5 ctrl+8)
letters=({a..z})

RANDOM=$seed
failed=0

# xdotool, bounded in time: a window that goes away under it can leave it waiting.
x() {
    timeout 10 xdotool "$@" 2>/dev/null || true
}

# The program's visible windows, menus and lists included; the search also yields the root window.
windows() {
    x search --onlyvisible --pid "$program_pid" "" | grep -vx "$root" || true
}

one_event() {
    local list window
    mapfile -t list < <(windows)
    [ ${#list[@]} -gt 0 ] || return 0
    window=${list[RANDOM % ${#list[@]}]}
    local roll=$((RANDOM % 100))
    if [ $roll -lt 40 ]; then
        local X=0 Y=0 WIDTH=0 HEIGHT=0 SCREEN=0
        eval "$(x getwindowgeometry --shell "$window")"
        [ "$WIDTH" -gt 0 ] && [ "$HEIGHT" -gt 0 ] || return 0
        local button=$((RANDOM % 10 < 8 ? 1 : 3))
        x mousemove --window "$window" $((RANDOM % WIDTH)) $((RANDOM % HEIGHT)) click "$button"
    elif [ $roll -lt 48 ]; then
        x windowfocus "$window"
    elif [ $roll -lt 78 ]; then
        x key "${keys[RANDOM % ${#keys[@]}]}"
    elif [ $roll -lt 84 ]; then
        x key "alt+${letters[RANDOM % ${#letters[@]}]}"
    else
        x type --delay 2 -- "${texts[RANDOM % ${#texts[@]}]}"
    fi
}

for program in "${programs[@]}"; do
    binary="$build/$program/$program"
    [ -x "$binary" ] || { echo "no $binary; build the tree first" >&2; exit 2; }
    starts=0
    events=0
    end=$((SECONDS + seconds))
    while [ $SECONDS -lt $end ]; do
        starts=$((starts + 1))
        log="$scratch/$program-$starts.log"
        "$binary" >"$log" 2>&1 &
        program_pid=$!
        for _ in $(seq 100); do [ -n "$(windows)" ] && break; sleep 0.1; done
        while kill -0 "$program_pid" 2>/dev/null && [ $SECONDS -lt $end ]; do
            one_event
            events=$((events + 1))
        done
        status=0
        if kill -0 "$program_pid" 2>/dev/null; then
            kill -TERM "$program_pid"
            wait "$program_pid" || status=$?
            [ $status -eq 143 ] && status=0
        else
            wait "$program_pid" || status=$?
        fi
        program_pid=""
        if [ $status -ne 0 ] || grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error:" "$log"; then
            echo "$program: run $starts ended with status $status; its output (all in $log):" >&2
            head -n 60 "$log" >&2
            failed=1
            break
        fi
    done
    echo "$program: $events events over ${seconds}s, $starts starts"
done
[ $failed -eq 0 ] && rm -rf "$scratch"
exit $failed
