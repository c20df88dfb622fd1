#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""A short login in the real taktlogin.exe under Wine, on Qt's windows platform plugin: one entry
typed twice in the same rhythm (green verdict), then the repetition in another rhythm (red
verdict), read off the screen by its colour. Runs under a window manager (tests/support/session.sh
wm). The program is started as Explorer starts it, by its Windows path: taktlogin.exe itself or a
shortcut to it.

usage: wine_login.py 'C:\\...\\taktlogin.exe'|'C:\\...\\Taktlogin.lnk'"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.login import KeysAndScreen, same_then_other_rhythm  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402
from testsupport.xkeyboard import XKeyboard  # noqa: E402

RHYTHM = [60, 400, 60, 400, 60]
OTHER_RHYTHM = [400, 60, 400, 60, 400]


def window_named(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                           capture_output=True, text=True).stdout.split()
    return found[-1] if found else None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    # Wine's start returns at once for a shortcut; the program's own process then runs on.
    subprocess.Popen(["wine", "start", "/wait", sys.argv[1]], stdout=subprocess.DEVNULL)
    try:
        window = wait_until(lambda: window_named("^Anmelden:$"), timeout=60, interval=0.2,
                            what="the window 'Anmelden:'")
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
        keyboard = XKeyboard()
        verdicts = same_then_other_rhythm(KeysAndScreen(keyboard), "geheim", RHYTHM, OTHER_RHYTHM)
        keyboard.close()
        if verdicts != ["Login korrekt!", "Login falsch!"]:
            sys.exit(f"wine_login.py: {verdicts} where the same rhythm should be correct and another wrong")
    finally:
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    print(f"login under Wine from {sys.argv[1]}: {', '.join(verdicts)}")


if __name__ == "__main__":
    main()
