#!/usr/bin/env bash
# A Debian 13 (trixie) system for trying the tree on the current release from a machine that runs another:
#   scripts/debian13-root.sh path           prints the root's folder, making the root first when it is missing
#   scripts/debian13-root.sh run SRC CMD... runs CMD inside the root, as root, in a fresh clone of the git
#                                           repository SRC, with SRC's ../shared beside it (read-only) when there
#                                           is one; the clone is removed afterwards
#   scripts/debian13-root.sh enter SRC CMD... the same in SRC itself, at the same path as outside, for a work
#                                           tree that is built only there (its build/ then holds Debian 13's trees)
# Made with debootstrap (which needs root) from the mirror this machine's own apt uses, and kept in
# ~/.cache/quendrith-tools/debian13-root; a root whose making did not finish is made again. Its mounts live in a
# mount namespace of the command's own, so nothing stays mounted after it, however it ends.
set -euo pipefail

suite=trixie
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quendrith-tools
rootfs=$cache/debian13-root
stamp=$rootfs/.debian13-root.stamp

usage() { echo "usage: $0 path | run SRC CMD... | enter SRC CMD..." >&2; exit 2; }

# The Debian mirrors apt uses here, one "URI SUITE-SUFFIX" line each (" " for the release itself, "-updates",
# "-security"), so that the root reaches the same mirrors as the machine and names no other.
host_mirrors() {
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 0
    {
        # One-line sources: "deb [options] URI SUITE COMPONENTS".
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[|\]$|=/) { print $i, $(i + 1); break } }'
        # deb822 sources: URIs and Suites of each stanza.
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            awk '/^URIs:/ { uri = $2 } /^Suites:/ { for (i = 2; i <= NF; i++) s[n++] = $i }
                 /^$/ { for (i = 0; i < n; i++) print uri, s[i]; n = 0; uri = "" }
                 END { for (i = 0; i < n; i++) print uri, s[i] }' "$f"
        done
    } | awk -v c="$codename" '$2 == c || index($2, c "-") == 1 { sub("^" c, "", $2); print $1, ($2 == "" ? " " : $2) }' |
        sort -u
}

make_root() {
    [ "$(id -u)" -eq 0 ] || { echo "$0: making the Debian 13 root needs root (debootstrap)" >&2; exit 1; }
    command -v debootstrap >/dev/null || {
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq debootstrap >/dev/null
    }
    local mirrors main
    mirrors=$(host_mirrors)
    main=$(awk '$2 == " " || NF == 1 { print $1; exit }' <<<"$mirrors")
    echo "Making a Debian 13 root in $rootfs (debootstrap ${main:-with its default mirror})" >&2
    rm -rf "$rootfs"
    mkdir -p "$cache"
    debootstrap --variant=minbase --include=ca-certificates,git "$suite" "$rootfs" ${main:+"$main"} >"$cache/debootstrap.log" 2>&1 || {
        tail -n 20 "$cache/debootstrap.log" >&2
        echo "$0: debootstrap failed; the whole log is $cache/debootstrap.log" >&2
        exit 1
    }
    # The release with its updates and security fixes, binaries and sources (the Qt source shipped beside the
    # Windows downloads comes from here).
    local uris
    uris=$(awk '$2 == " " || $2 == "-updates" || NF == 1 { print $1 }' <<<"$mirrors" | sort -u | tr '\n' ' ')
    {
        echo "Types: deb deb-src"
        echo "URIs: ${uris:-http://deb.debian.org/debian}"
        echo "Suites: $suite $suite-updates"
        echo "Components: main"
        echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        local security
        security=$(awk '$2 == "-security" { print $1; exit }' <<<"$mirrors")
        if [ -n "$security" ]; then
            echo
            echo "Types: deb deb-src"
            echo "URIs: $security"
            echo "Suites: $suite-security"
            echo "Components: main"
            echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        fi
    } >"$rootfs/etc/apt/sources.list.d/debian.sources"
    rm -f "$rootfs/etc/apt/sources.list"
    # No services start inside a root.
    printf '#!/bin/sh\nexit 101\n' >"$rootfs/usr/sbin/policy-rc.d"
    chmod 755 "$rootfs/usr/sbin/policy-rc.d"
    touch "$stamp"
}

ensure_root() {
    [ -f "$stamp" ] || make_root
}

case "${1:-}" in
    path)
        ensure_root
        echo "$rootfs"
        ;;
    run | enter)
        [ $# -ge 3 ] || usage
        mode=$1
        src=$(cd "$2" && pwd)
        shift 2
        ensure_root
        cp -L /etc/resolv.conf "$rootfs/etc/resolv.conf"
        shared=""
        [ -d "$src/../shared" ] && shared=$(cd "$src/../shared" && pwd)
        # Runs side by side: a clone in a folder of its own, with ../shared beside it; a tree entered in place.
        if [ "$mode" = run ]; then
            mkdir -p "$rootfs/src"
            run=$(mktemp -d "$rootfs/src/run.XXXXXX")
            trap 'rm -rf "$run"' EXIT
            git clone --quiet --no-hardlinks "$src" "$run/quendrith-tools"
            inside=${run#"$rootfs"}/quendrith-tools
            tree=""
        else
            inside=$src
            tree=$src
        fi
        mkdir -p "$rootfs$inside"
        [ -z "$shared" ] || mkdir -p "$rootfs$inside/../shared"
        # The command runs with a clean environment: the machine's own variables say nothing about the root.
        status=0
        unshare --mount --propagation private -- bash -euc '
            rootfs=$1 inside=$2 tree=$3 shared=$4
            shift 4
            mount -t proc proc "$rootfs/proc"
            mount -t sysfs sysfs "$rootfs/sys"
            mount --rbind /dev "$rootfs/dev"
            mount -t tmpfs tmpfs "$rootfs/dev/shm"
            mount -t tmpfs tmpfs "$rootfs/tmp"
            [ -z "$tree" ] || mount --bind "$tree" "$rootfs$inside"
            if [ -n "$shared" ]; then
                mount --bind "$shared" "$rootfs$inside/../shared"
                mount -o remount,bind,ro "$rootfs$inside/../shared"
            fi
            exec chroot "$rootfs" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
                PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
                /bin/bash -c "cd \"\$0\" && exec \"\$@\"" "$inside" "$@"
        ' bash "$rootfs" "$inside" "$tree" "$shared" "$@" || status=$?
        exit "$status"
        ;;
    *) usage ;;
esac
