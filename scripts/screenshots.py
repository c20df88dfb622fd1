# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the README's screenshots: a real login typed into the real program under Xvfb.
Run through scripts/screenshots.sh."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from driver import App, wait_until  # noqa: E402

RHYTHM = [60, 400, 60, 400, 60, 400, 60]
out = sys.argv[1]

app = App(extra_env={"LC_ALL": "de_DE.UTF-8" if os.environ.get("GERMAN") else "C.UTF-8"})
try:
    app.type_rhythm("Geheim42", RHYTHM)
    app.key("Tab")
    wait_until(lambda: app.focused() == "Passwort wiederholen:", what="second field")
    app.type_rhythm("Geheim42", RHYTHM)
    app.key("Return")
    wait_until(lambda: app.control("Anmeldeergebnis").description, what="a verdict")
    time.sleep(0.3)
    subprocess.run(["import", "-window", app.window_id, os.path.join(out, "normal-view.png")], check=True)
    app.choose_view("Erweitert")
    wait_until(lambda: app.showing("Eingabetakt (ms): (Eingabe)"), what="extended view")
    time.sleep(0.3)
    subprocess.run(["import", "-window", app.window_id, os.path.join(out, "extended-view.png")], check=True)
finally:
    app.close()
