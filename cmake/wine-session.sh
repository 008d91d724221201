#!/usr/bin/env bash
# One Wine session for the tests of the Windows cross build: a fresh Wine prefix and an Xvfb of its own, which
# Wine's window station needs even for Qt's offscreen platform.
#   wine-session.sh start DIR        makes DIR/prefix anew, starts Xvfb and a persistent wineserver, boots Wine
#   wine-session.sh stop DIR         ends the wineserver (and every Wine process) and the Xvfb
#   wine-session.sh run DIR EXE ARG...   runs EXE under Wine in that session
# Wine drops QT_* variables on the way into the Windows environment; WINEQT_* ones arrive there as QT_*.
set -euo pipefail
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
command=$1
dir=$2
shift 2
export WINEPREFIX=$dir/prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

stop() {
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
}

case "$command" in
start)
    stop
    rm -rf "$dir"
    mkdir -p "$dir"
    # Detached with its own output, so that no test's output pipe stays open behind it.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! > "$dir/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$dir/display" ] && break
        sleep 0.2
    done
    [ -s "$dir/display" ] || { cat "$dir/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(tr -d '\n' < "$dir/display")
    # Persistent, and started here rather than by the first test, for the same reason.
    mkdir -p "$WINEPREFIX"
    setsid "$wineserver" -p </dev/null >/dev/null 2>&1
    timeout 180 "$wine" wineboot --init </dev/null >"$dir/wineboot.log" 2>&1 ||
        { cat "$dir/wineboot.log" >&2; echo "wineboot did not finish" >&2; exit 1; }
    echo "Wine session in $dir on display $DISPLAY"
    ;;
stop)
    stop
    ;;
run)
    [ -s "$dir/display" ] || { echo "no Wine session in $dir (its start test did not run)" >&2; exit 1; }
    export DISPLAY=:$(tr -d '\n' < "$dir/display")
    exec "$wine" "$@"
    ;;
*)
    echo "usage: $0 start|stop|run DIR [EXE ARG...]" >&2
    exit 2
    ;;
esac
