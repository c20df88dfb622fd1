#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Crashes the probe twice where the system writes core files into the working directory: once
# unprotected, which must leave a core file (else this system cannot show the difference and
# the test is skipped, status 77), once protected as taktlogin starts, which must leave none.
# Usage: check_core_files.sh CRASHPROBE
set -uo pipefail

probe="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

pattern="$(cat /proc/sys/kernel/core_pattern)"
case "$pattern" in
"|"* | /*)
    echo "SKIP: core files go to $pattern, not into the working directory"
    exit 77
    ;;
esac
ulimit -c unlimited 2>/dev/null || { echo "SKIP: the core file limit cannot be raised"; exit 77; }

# Runs the probe in a child shell, which reports the signal; prints the exit status.
crash() {
    "$probe" "$@" 2>/dev/null
    echo $?
}

status="$(crash --unprotected)"
[ "$status" -eq 139 ] || { echo "FAIL: the unprotected probe ended with status $status, not by SIGSEGV"; exit 1; }
if [ -z "$(find . -maxdepth 1 -name 'core*' -print -quit)" ]; then
    echo "SKIP: this system writes no core file even for an unprotected crash"
    exit 77
fi
rm -f core*

status="$(crash)"
[ "$status" -eq 139 ] || { echo "FAIL: the protected probe ended with status $status, not by SIGSEGV"; exit 1; }
if [ -n "$(find . -maxdepth 1 -name 'core*' -print -quit)" ]; then
    echo "FAIL: the protected crash left a core file: $(ls core*)"
    exit 1
fi
echo "the unprotected crash left a core file, the protected one none"
