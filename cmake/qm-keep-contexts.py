#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Copies a compiled Qt translation (.qm) with only the messages of the given contexts, so that
a build that carries Qt's texts inside the program carries only those it can show. The hashes of
the kept messages are taken over as they are; the rest of the file is copied unchanged.

usage: qm-keep-contexts.py IN.qm OUT.qm CONTEXT..."""

import struct
import sys

MAGIC = bytes.fromhex("3CB86418CAEF9C95CD211CBF60A1BDDD")
HASHES, MESSAGES, CONTEXTS = 0x42, 0x69, 0x2F
# Tags of a message's fields; each but the end and the obsolete marker carries a length.
END, TRANSLATION, OBSOLETE, SOURCE, CONTEXT, COMMENT = 1, 3, 5, 6, 7, 8


def sections(data):
    if not data.startswith(MAGIC):
        raise SystemExit("not a Qt translation file")
    at, found = len(MAGIC), []
    while at < len(data):
        tag, length = data[at], struct.unpack(">I", data[at + 1:at + 5])[0]
        found.append((tag, data[at + 5:at + 5 + length]))
        at += 5 + length
    if at != len(data):
        raise SystemExit("a section runs past the end of the file")
    return found


def message_context(messages, at):
    """The context of the message at offset at, and the offset after it."""
    context = None
    while True:
        tag = messages[at]
        at += 1
        if tag == END:
            return context, at
        if tag == OBSOLETE:
            continue
        if tag not in (TRANSLATION, SOURCE, CONTEXT, COMMENT):
            raise SystemExit(f"unknown field {tag} in a message")
        length = struct.unpack(">I", messages[at:at + 4])[0]
        at += 4
        if length == 0xFFFFFFFF:  # a null translation
            continue
        if tag == CONTEXT:
            context = messages[at:at + length].decode("utf-8")
        at += length


def main():
    source, target, keep = sys.argv[1], sys.argv[2], set(sys.argv[3:])
    with open(source, "rb") as original:
        parts = sections(original.read())
    found = dict(parts)
    if CONTEXTS in found:
        raise SystemExit("files with a context table (lrelease -compress) are not handled")
    hashes, messages = found[HASHES], found[MESSAGES]
    kept, moved, at = bytearray(), {}, 0
    while at < len(messages):
        context, end = message_context(messages, at)
        if context in keep:
            moved[at] = len(kept)
            kept += messages[at:end]
        at = end
    table = bytearray()
    for entry in range(0, len(hashes), 8):
        hash_value, offset = struct.unpack(">II", hashes[entry:entry + 8])
        if offset in moved:
            table += struct.pack(">II", hash_value, moved[offset])
    found[HASHES], found[MESSAGES] = bytes(table), bytes(kept)
    with open(target, "wb") as out:
        out.write(MAGIC)
        for tag, _ in parts:
            out.write(bytes([tag]) + struct.pack(">I", len(found[tag])) + found[tag])


if __name__ == "__main__":
    main()
