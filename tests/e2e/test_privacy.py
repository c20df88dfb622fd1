# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The password leaves the process only towards the display and assistive technology: a typed
login under strace opens no file for writing, creates, renames or removes nothing in the file
system, connects to nothing but local sockets of the X server and the D-Bus/accessibility buses,
and writes nothing of the password to stdout/stderr. Also where XDG_RUNTIME_DIR is unset, as
after su, when Qt would otherwise make a runtime directory of its own."""

import os
import re
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.desktop import App  # noqa: E402
from testsupport.login import log_in  # noqa: E402

PASSWORD = "Quarz-Wolke7"
RHYTHM = [80, 300, 80, 300, 80, 300, 80, 300, 80, 300, 80]

WRITE_FLAGS = re.compile(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND")
OPEN_CALL = re.compile(r'^\d+\s+(open|openat|openat2|creat)\((?:AT_FDCWD|\d+, )?,?\s*"([^"]*)",?\s*([^)]*)\)')
CONNECT_CALL = re.compile(r"^\d+\s+connect\(\d+, \{sa_family=(\w+)(.*?)\}")
FILE_SYSTEM_CHANGES = ("mkdir", "mkdirat", "creat", "rename", "renameat", "renameat2", "unlink", "unlinkat",
                       "symlink", "symlinkat", "link", "linkat")
# The call's line, or with -f the line on which an interrupted call resumes, with its result.
CHANGE_CALL = re.compile(r"^\d+\s+(?:<\.\.\. )?(" + "|".join(FILE_SYSTEM_CHANGES) + r")\b.*\)\s+=\s+(-?\d+)")
WRITE_CALL = re.compile(r'^\d+\s+write\((\d+), "(.*)", \d+\)')
# Local sockets the program may use: the X server, the session and accessibility buses, and
# glibc's name-service cache, which the C library asks when Qt looks up the user's home.
ALLOWED_SOCKETS = re.compile(r'/tmp/\.X11-unix/|/tmp/dbus-|at-spi|/run/user/|@/tmp/|/var/run/nscd/socket')


class Privacy(unittest.TestCase):
    def test_password_stays_in_the_window(self):
        self.check_login_under_strace({}, ())
        # Qt's fallback would be $TMPDIR/runtime-$USER; a fresh TMPDIR shows whether anything made it.
        with tempfile.TemporaryDirectory(prefix="taktlogin-tmpdir-") as temporary, \
                self.subTest(session="without XDG_RUNTIME_DIR"):
            self.check_login_under_strace({"TMPDIR": temporary}, ("XDG_RUNTIME_DIR",))
            self.assertEqual(os.listdir(temporary), [])

    def check_login_under_strace(self, environment, unset):
        trace = tempfile.NamedTemporaryFile(prefix="taktlogin-strace-", suffix=".txt", delete=False)
        trace.close()
        try:
            app = App(extra_env={"LC_ALL": "C.UTF-8", **environment}, unset=unset,
                      wrapper=("strace", "-f", "-qq", "-s", "4096", "-o", trace.name,
                               "-e", "trace=open,openat,openat2,connect,write," + ",".join(FILE_SYSTEM_CHANGES)))
            try:
                log_in(app, (PASSWORD, RHYTHM), (PASSWORD, RHYTHM))
                app.click("Abbrechen")
                self.assertEqual(app.process.wait(timeout=20), 0)
            finally:
                app.close()
            with open(trace.name, encoding="utf-8", errors="replace") as log:
                lines = log.read().splitlines()
        finally:
            os.unlink(trace.name)

        self.assertTrue(any("connect(" in line for line in lines), "strace recorded nothing")
        opened_for_writing = []
        changed = []
        connections = []
        leaked = []
        opens_seen = connects_seen = writes_seen = 0
        for line in lines:
            opened = OPEN_CALL.match(line)
            opens_seen += 1 if opened else 0
            writing = opened and (opened.group(1) == "creat" or WRITE_FLAGS.search(opened.group(3)))
            if writing and opened.group(2) != "/dev/null":
                opened_for_writing.append(line)
            change = CHANGE_CALL.match(line)
            if change and change.group(2) != "-1":
                changed.append(line)
            connected = CONNECT_CALL.match(line)
            connects_seen += 1 if connected else 0
            if connected and not (connected.group(1) == "AF_UNIX" and ALLOWED_SOCKETS.search(connected.group(2))):
                connections.append(line)
            written = WRITE_CALL.match(line)
            writes_seen += 1 if written else 0
            to_std = written and written.group(1) in ("1", "2")
            if to_std and any(part in written.group(2) for part in (PASSWORD, PASSWORD[:5], PASSWORD[-5:])):
                leaked.append(line)
        # Each pattern that judges must read some of strace's lines, else a strace that writes them
        # otherwise would pass unseen: libraries and fonts are opened, the X server is connected to,
        # and Qt's event loop wakes itself with writes to an eventfd.
        self.assertGreater(opens_seen, 10)
        self.assertGreater(connects_seen, 0)
        self.assertGreater(writes_seen, 0)
        self.assertEqual(opened_for_writing, [])
        self.assertEqual(changed, [])
        self.assertEqual(connections, [])
        self.assertEqual(leaked, [])


if __name__ == "__main__":
    unittest.main()
