#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs `reuse lint` on the source tree.

REUSE.toml came with reuse 3; Debian 12 has reuse 1.1, which reads the same annotations only
from .reuse/dep5. There the files git knows are copied to a scratch folder and REUSE.toml is
written out as dep5 beside them, so both releases check the same rules.

Usage: reuse_lint.py SOURCE_DIR
"""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import tomllib


def reuse_major_version() -> int:
    output = subprocess.run(["reuse", "--version"], check=True, capture_output=True, text=True).stdout
    match = re.search(r"(\d+)\.\d+", output)
    if not match:
        sys.exit(f"reuse_lint: cannot read the reuse version from {output!r}")
    return int(match.group(1))


def dep5_from_toml(toml_path: pathlib.Path) -> str:
    with toml_path.open("rb") as file:
        config = tomllib.load(file)
    paragraphs = ["Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"]
    for annotation in config.get("annotations", []):
        paths = annotation["path"]
        paths = [paths] if isinstance(paths, str) else paths
        # dep5's "*" already crosses folders.
        globs = " ".join(path.replace("**", "*") for path in paths)
        copyrights = annotation["SPDX-FileCopyrightText"]
        copyrights = [copyrights] if isinstance(copyrights, str) else copyrights
        paragraphs.append(
            f"Files: {globs}\n"
            f"Copyright: " + "\n ".join(copyrights) + "\n"
            f"License: {annotation['SPDX-License-Identifier']}\n"
        )
    return "\n".join(paragraphs)


def main() -> int:
    source = pathlib.Path(sys.argv[1]).resolve()
    if reuse_major_version() >= 3:
        return subprocess.run(["reuse", "--root", str(source), "lint"]).returncode

    files = subprocess.run(
        ["git", "-C", str(source), "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
        check=True, capture_output=True,
    ).stdout.decode().split("\0")
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        for name in filter(None, files):
            if (source / name).is_file():
                (root / name).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(source / name, root / name)
        (root / "REUSE.toml").unlink()
        (root / ".reuse").mkdir()
        (root / ".reuse" / "dep5").write_text(dep5_from_toml(source / "REUSE.toml"))
        return subprocess.run(["reuse", "--root", str(root), "lint"]).returncode


if __name__ == "__main__":
    sys.exit(main())
