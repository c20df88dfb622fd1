#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs one of the README's commands as a new user would: in a freshly debootstrapped Debian that
# has only git, on a clone of the current commit, with an empty cache. Prints the test summaries.
# Usage: check-fresh-debian.sh bookworm|trixie [test|start|windows|web]   (as root; downloads a
# whole system; windows and web build their Qt from source, 30 to 70 minutes). start has no
# screen there: the program it starts runs on Qt's offscreen platform and must stay up.
set -euo pipefail

release="${1:-}"
case "$release" in
bookworm | trixie) ;;
*)
    echo "usage: $0 bookworm|trixie [test|start|windows|web]" >&2
    exit 2
    ;;
esac
script="${2:-test}"
case "$script" in
test | start | windows | web) ;;
*)
    echo "usage: $0 bookworm|trixie [test|start|windows|web]" >&2
    exit 2
    ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "check-fresh-debian.sh needs root (debootstrap, chroot)" >&2; exit 2; }

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
commit="$(git -C "$repo_root" rev-parse HEAD)"
root="$repo_root/build/fresh-debian/$release-$script"
log="$repo_root/build/fresh-debian/$release-$script.log"

if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

source "$repo_root/scripts/debian-root.sh"
trap debian_root_unmount EXIT

echo "== debootstrap $release into $root"
# A run that was killed may have left its mounts behind; never delete through them.
debian_root_release "$root"
rm -rf --one-file-system "$root"
mkdir -p "$root"
debootstrap --variant=minbase --include=git,ca-certificates "$release" "$root" http://deb.debian.org/debian \
    >"$log" 2>&1 || { tail -n 20 "$log" >&2; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"

debian_root_mount_system "$root"

echo "== clone commit $commit"
git clone -q "$repo_root" "$root/root/taktlogin"
git -C "$root/root/taktlogin" checkout -q "$commit"

echo "== bash scripts/$script.sh in $release ($(cat "$root/etc/debian_version"))"
command="bash scripts/$script.sh"
if [ "$script" = start ]; then
    # start.sh builds and then becomes the program (exec): proven once that process has been the
    # program for 5 s. An hour is more than any build here takes.
    command='exec bash scripts/start.sh -platform offscreen & pid=$!
        for _ in $(seq 3600); do
            [ "$(readlink /proc/$pid/exe)" = "$PWD/build/default/src/taktlogin" ] && break
            kill -0 $pid 2>/dev/null || break
            sleep 1
        done
        sleep 5
        kill -0 $pid 2>/dev/null || { wait $pid; echo "start.sh ended with status $?" >&2; exit 1; }
        [ "$(readlink /proc/$pid/exe)" = "$PWD/build/default/src/taktlogin" ] ||
            { kill $pid; echo "start.sh did not start the program within an hour" >&2; exit 1; }
        kill $pid && echo "the program started by start.sh ran for 5 s"'
fi
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb bash -c "cd /root/taktlogin || exit 1; $command" >>"$log" 2>&1 || status=$?

grep -E '^[0-9]+% tests passed|tests failed out of|^\s+[0-9]+ - |^Done [0-9]+ runs|^#[0-9]+\s+DONE|ran for 5 s$' "$log" || true
if [ $status -ne 0 ]; then
    echo "FAILED in $release (status $status); log: $log" >&2
    tail -n 30 "$log" >&2
    exit 1
fi
echo "$release ($(cat "$root/etc/debian_version")), $(date -u +%F): bash scripts/$script.sh passed; log: $log"
