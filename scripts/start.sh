#!/usr/bin/env bash
# Installs what is missing, builds taktlogin and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}"
build_preset default
exec "$repo_root/build/default/src/taktlogin" "$@"
