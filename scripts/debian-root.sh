# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Mounts for running commands in a debootstrapped Debian (check-fresh-debian.sh, windows.sh).
# Sourced; needs root.

debian_root_mounts=()

# Mounts SOURCE at TARGET inside ROOT with the given mount options, and remembers it.
# Usage: debian_root_bind ROOT SOURCE TARGET MOUNT_OPTION...
debian_root_bind() {
    mkdir -p "$1$3"
    mount "${@:4}" "$2" "$1$3"
    debian_root_mounts+=("$1$3")
}

# Takes away mounts inside ROOT that a killed run left behind; nothing may ever delete through
# them. Call before deleting or mounting anything there.
# Usage: debian_root_release ROOT
debian_root_release() {
    local target
    findmnt -rn -o TARGET | grep -F "$1/" | sort -r | while read -r target; do umount -l "$target"; done || true
}

# What a command in ROOT needs of the running system: proc, sys, devices, shared memory.
# Usage: debian_root_mount_system ROOT
debian_root_mount_system() {
    local root="$1"
    debian_root_bind "$root" proc /proc -t proc
    debian_root_bind "$root" sysfs /sys -t sysfs
    debian_root_bind "$root" /dev /dev --bind
    debian_root_bind "$root" devpts /dev/pts -t devpts
    debian_root_bind "$root" tmpfs /dev/shm -t tmpfs
}

# Undoes every mount made above, the last first.
debian_root_unmount() {
    local i
    for ((i = ${#debian_root_mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${debian_root_mounts[$i]}" 2>/dev/null || true
    done
    debian_root_mounts=()
}
