#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds taktlogin with warnings as errors and runs every test: the
# unit, GUI and end-to-end suites, the unit and GUI suites again under the address and
# undefined-behaviour sanitizers (with leak detection), and a bounded fuzzing run.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}" "${gui_test_packages[@]}" "${e2e_packages[@]}" "${fuzz_packages[@]}" "${packaging_packages[@]}"

# ctest names a skipped suite or case but not why; the suites say why in a line of their own
# (a shell script's "skipped:", Qt Test's "SKIP", unittest's "... skipped").
report_skips() {
    awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
         /^(skipped|SKIP) *:|[.][.][.] skipped / { print "skipped in " name ": " $0 }' \
        "$repo_root/build/$1/Testing/Temporary/LastTest.log"
}

build_preset ci
ctest --preset ci --parallel 2
report_skips ci

build_preset asan-ubsan
ctest --preset asan-ubsan --parallel 2 --label-exclude "e2e|packaging|checks"
report_skips asan-ubsan

build_preset fuzz
ctest --preset fuzz
