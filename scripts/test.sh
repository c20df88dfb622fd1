#!/usr/bin/env bash
# Installs what is missing, builds taktlogin with warnings as errors and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}" "${e2e_packages[@]}"
build_preset ci
ctest --preset ci --parallel 2
