# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the README's screenshots: a real login typed into the real program under Xvfb.
Run through scripts/screenshots.sh."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
from testsupport.desktop import App  # noqa: E402
from testsupport.login import log_in  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402

RHYTHM = [60, 400, 60, 400, 60, 400, 60]
out = sys.argv[1]

app = App(extra_env={"LC_ALL": "de_DE.UTF-8" if os.environ.get("GERMAN") else "C.UTF-8"})
try:
    log_in(app, ("Geheim42", RHYTHM), ("Geheim42", RHYTHM))
    time.sleep(0.3)
    subprocess.run(["import", "-window", app.window_id, os.path.join(out, "normal-view.png")], check=True)
    app.choose_view("Erweitert")
    wait_until(lambda: app.showing("Eingabetakt (ms): (Eingabe)"), what="extended view")
    time.sleep(0.3)
    subprocess.run(["import", "-window", app.window_id, os.path.join(out, "extended-view.png")], check=True)
finally:
    app.close()
