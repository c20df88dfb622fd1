#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the version resource of a Windows executable: file and product version 1.00 (1.0.0.0),
language German (Germany), a Unicode string table. Reads the resource with wrestool (icoutils).

usage: check_version_resource.py PROGRAM.exe"""

import struct
import subprocess
import sys


def fail(message):
    print(f"check_version_resource: {message}", file=sys.stderr)
    sys.exit(1)


def main():
    program = sys.argv[1]
    listing = subprocess.run(["wrestool", "-l", "--type=16", program], capture_output=True, text=True).stdout
    if "--language=1031" not in listing:
        fail(f"no version resource in German (Germany), language 1031: {listing.strip() or 'none'}")
    blob = subprocess.run(["wrestool", "-x", "--raw", "--type=16", program], capture_output=True, check=True).stdout

    signature = blob.find(struct.pack("<I", 0xFEEF04BD))
    if signature < 0:
        fail("no VS_FIXEDFILEINFO")
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", blob, signature + 8)
    for name, (ms, ls) in {"file": (file_ms, file_ls), "product": (product_ms, product_ls)}.items():
        version = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        if version != (1, 0, 0, 0):
            fail(f"{name} version is {'.'.join(map(str, version))}, not 1.0.0.0")

    # Keys and values are NUL-terminated and padded; without the NULs each value follows its key.
    text = blob.decode("utf-16-le", errors="replace").replace("\0", "")
    for needed in ("040704B0", "FileVersion1.00", "ProductVersion1.00", "Translation"):
        if needed not in text:
            fail(f"string table lacks {needed!r}")
    translation = blob.find("Translation".encode("utf-16-le"))
    if struct.pack("<HH", 0x0407, 1200) not in blob[translation:translation + 40]:
        fail("translation entry is not 0x0407 / 1200 (German, Unicode)")
    print("version resource: 1.00, German (Germany), Unicode")


if __name__ == "__main__":
    main()
