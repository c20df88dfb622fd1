# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the real taktlogin window from outside: X key and mouse events through xdotool,
state read over the AT-SPI accessibility bus, drawn pixels from screenshots."""

import os
import subprocess
import time

import pyatspi

BINARY = os.environ.get("TAKTLOGIN_BIN", "taktlogin")


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition", seen=None):
    """Polls predicate until it returns something true. On a timeout the message names what was
    awaited and, through seen(), what was there instead."""
    deadline = time.monotonic() + timeout
    value = None
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    observed = seen() if seen is not None else repr(value)
    raise AssertionError(f"timed out after {timeout:g} s waiting for {what}; saw: {observed}")


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


# xdotool key names for the characters the tests type.
KEY_NAMES = {"-": "minus", " ": "space", ".": "period", "!": "exclam"}


def key_name(character):
    return KEY_NAMES.get(character, character)


class App:
    """One running taktlogin process and its accessible tree."""

    def __init__(self, extra_env=None, wrapper=(), binary=None, app_name="taktlogin", unset=()):
        self.app_name = app_name
        env = dict(os.environ)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_QPA_PLATFORM"] = "xcb"
        env.update(extra_env or {})
        for name in unset:
            env.pop(name, None)
        self.process = subprocess.Popen([*wrapper, binary or BINARY], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.window_id = None
        self.pid = None
        self.application = wait_until(self._find_application, timeout=20, what="taktlogin on the bus",
                                      seen=self._bus_state)
        self.frame = wait_until(lambda: self._child_with_role(self.application, "frame"),
                                what="the window")
        self.activate()

    def activate(self):
        """Brings the window to the front with the focus in the first field."""
        self._last_activation = "no attempt"
        wait_until(self._activate, timeout=20, what="the window activated", seen=self._activation_state)
        wait_until(lambda: self.focused() == "Passwort eigeben:", what="focus in the first field",
                   seen=lambda: f"focus on {self.focused()!r}")

    def _activation_state(self):
        active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True)
        return (f"DISPLAY={os.environ.get('DISPLAY')}, window {self.window_id or 'not found'} "
                f"(pid {self.pid}, title 'Anmelden:'), last activation: {self._last_activation}, "
                f"active window: {active.stdout.strip() or active.stderr.strip() or 'none'}")

    def _find_application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            try:
                if app is not None and app.name == self.app_name and self._ours(app.get_process_id()):
                    self.pid = app.get_process_id()
                    return app
            except Exception:
                continue
        return None

    def _bus_state(self):
        desktop = pyatspi.Registry.getDesktop(0)
        names = [app.name for app in desktop if app is not None]
        status = self.process.poll()
        return (f"applications on the accessibility bus: {names}; process "
                f"{'running' if status is None else f'ended with status {status}'}")

    def _ours(self, pid):
        """The process started here, or its child when it runs under a wrapper such as strace."""
        if pid == self.process.pid:
            return True
        try:
            with open(f"/proc/{pid}/stat") as stat:
                return int(stat.read().rsplit(")", 1)[1].split()[1]) == self.process.pid
        except OSError:
            return False

    def _activate(self):
        # Looked up on every try: the window manager may still be taking the window over.
        self.window_id = self._window_id()
        if self.window_id is None:
            self._last_activation = "no visible window with that title and pid"
            return False
        try:
            result = subprocess.run(["xdotool", "windowactivate", "--sync", self.window_id],
                                    capture_output=True, text=True, timeout=5)
        except subprocess.TimeoutExpired:
            self._last_activation = "xdotool windowactivate --sync timed out after 5 s"
            return False
        self._last_activation = f"xdotool exit {result.returncode} {result.stderr.strip()}".strip()
        return result.returncode == 0

    def _window_id(self):
        result = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.pid),
                                 "--name", "^Anmelden:$"], capture_output=True, text=True)
        ids = result.stdout.split()
        return ids[-1] if ids else None

    @staticmethod
    def _child_with_role(parent, role):
        for child in parent:
            if child is not None and child.getRoleName() == role:
                return child
        return None

    def control(self, name, role=None):
        """The accessible with this name (and role) anywhere in the window. A caption and the
        field it names share the name, hence the role."""
        found = pyatspi.findDescendant(
            self.frame,
            lambda a: a is not None and a.name == name and (role is None or a.getRoleName() == role))
        if found is None:
            raise AssertionError(f"no control named {name!r}")
        return found

    def focused(self):
        found = pyatspi.findDescendant(
            self.frame, lambda a: a is not None and a.getState().contains(pyatspi.STATE_FOCUSED))
        return found.name if found is not None else None

    def text(self, name):
        text = self.control(name, "text").queryText()
        return text.getText(0, text.characterCount)

    def lines(self, list_name):
        return [item.name for item in self.control(list_name, "list")]

    def showing(self, name):
        return self.control(name).getState().contains(pyatspi.STATE_SHOWING)

    def extents(self, name):
        return self.control(name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    def click(self, name):
        box = self.extents(name)
        xdotool("mousemove", "--sync", box.x + box.width // 2, box.y + box.height // 2, "click", "1")

    def choose_view(self, item):
        self.click("Ansicht")
        wait_until(lambda: self.showing(item), what=f"menu item {item}")
        self.click(item)

    def type_rhythm(self, text, gaps_ms):
        """Types text as real key events, waiting gaps_ms[i] between character i and i + 1."""
        command = ["xdotool", "key", "--delay", "0", key_name(text[0])]
        for character, gap in zip(text[1:], gaps_ms):
            command += ["sleep", f"{gap / 1000:.3f}", "key", "--delay", "0", key_name(character)]
        subprocess.run(command, check=True)

    def key(self, name):
        xdotool("key", "--clearmodifiers", name)

    def pixels(self, name):
        """The control's pixels from a screenshot of the screen, as rows of (r, g, b)."""
        box = self.extents(name)
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "-crop",
                               f"{box.width}x{box.height}+{box.x}+{box.y}", "ppm:-"],
                              capture_output=True, check=True).stdout
        return parse_ppm(shot)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.communicate(timeout=10)


def parse_ppm(data):
    """Rows of (r, g, b) from a binary PPM (P6) image with 8-bit samples."""
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    position += 1
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    body = data[position:position + width * height * 3]
    return [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def interval_of(line):
    """The milliseconds of a keystroke line such as "e: 401.2345" (the program's locale is C)."""
    return float(line.rsplit(": ", 1)[1])
