#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds taktlogin with warnings as errors and runs every test: the
# unit, GUI and end-to-end suites, the unit and GUI suites again under the address and
# undefined-behaviour sanitizers (with leak detection), and a bounded fuzzing run.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}" "${gui_test_packages[@]}" "${e2e_packages[@]}" "${fuzz_packages[@]}" "${packaging_packages[@]}"

build_preset ci
ctest --preset ci --parallel 2

build_preset asan-ubsan
ctest --preset asan-ubsan --parallel 2 --label-exclude "e2e|packaging|checks"

build_preset fuzz
ctest --preset fuzz
