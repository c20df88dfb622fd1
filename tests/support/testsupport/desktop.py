# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the real taktlogin window from outside: keys through the X keyboard, the mouse and
windows through xdotool, state read over the AT-SPI accessibility bus, drawn pixels from the screen."""

import os
import subprocess
import threading

import pyatspi

from .login import FIELDS
from .screen import x_pixels
from .waiting import wait_until
from .xkeyboard import XKeyboard

BINARY = os.environ.get("TAKTLOGIN_BIN", "taktlogin")


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


class KeyPressRecorder:
    """The times the X server gave the key presses it delivered (RECORD extension), in its own
    milliseconds: what reached the program, however late the sender was."""

    def __init__(self):
        from Xlib import X, display
        from Xlib.ext import record
        from Xlib.protocol import rq
        self._x, self._record, self._rq = X, record, rq
        self._control = display.Display()
        self._data = display.Display()
        self._modifiers = {code for codes in self._control.get_modifier_mapping() for code in codes if code}
        self._context = self._data.record_create_context(0, [record.AllClients], [{
            "core_requests": (0, 0), "core_replies": (0, 0), "ext_requests": (0, 0, 0, 0),
            "ext_replies": (0, 0, 0, 0), "delivered_events": (0, 0),
            "device_events": (X.KeyPress, X.KeyPress), "errors": (0, 0),
            "client_started": False, "client_died": False}])
        self._times = []
        self._modifier_presses = 0
        self._lock = threading.Lock()
        self._started = threading.Event()
        self._thread = threading.Thread(target=self._data.record_enable_context,
                                        args=(self._context, self._received), daemon=True)
        self._thread.start()
        if not self._started.wait(10):
            raise AssertionError("the X server's RECORD extension did not start recording within 10 s")

    def _received(self, reply):
        if reply.category == self._record.StartOfData:
            self._started.set()
        if reply.category != self._record.FromServer or reply.client_swapped:
            return
        data = reply.data
        while len(data):
            event, data = self._rq.EventField(None).parse_binary_value(data, self._data.display, None, None)
            if event.type != self._x.KeyPress:
                continue
            with self._lock:
                if event.detail in self._modifiers:
                    self._modifier_presses += 1
                else:
                    self._times.append(event.time)

    def count(self):
        with self._lock:
            return len(self._times)

    def modifier_count(self):
        with self._lock:
            return self._modifier_presses

    def gaps(self, start, presses):
        """The intervals between presses start to start + presses - 1, once all have arrived."""
        wait_until(lambda: self.count() >= start + presses, what=f"{presses} key presses recorded",
                   seen=lambda: f"{self.count() - start} recorded")
        with self._lock:
            times = self._times[start:start + presses]
        return [float(later - earlier) for earlier, later in zip(times, times[1:])]

    def close(self):
        self._control.record_disable_context(self._context)
        self._control.sync()
        self._thread.join(timeout=5)
        self._control.record_free_context(self._context)
        self._control.close()


class App:
    """One running taktlogin process and its accessible tree."""

    def __init__(self, extra_env=None, wrapper=(), binary=None, app_name="taktlogin", unset=(),
                 settle_keyboard=True, keyboard=None):
        self.app_name = app_name
        self.settle_keyboard = settle_keyboard
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
        x11 = env["QT_QPA_PLATFORM"] == "xcb"
        self.keys = KeyPressRecorder() if x11 else None
        self.keyboard = keyboard or (XKeyboard() if x11 else None)
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
        if self.keys is not None and self.settle_keyboard:
            # The first key a test client sends through XTEST makes Xvfb hand the program a new
            # keyboard description, which Qt fetches before it takes the key: tens of
            # milliseconds on a busy machine, which a real keyboard never causes. A Shift tap,
            # which types nothing, takes that turn before the first measured key.
            before = self.keys.modifier_count()
            self.keyboard.key("Shift_L")
            wait_until(lambda: self.keys.modifier_count() > before, what="the Shift tap delivered")
            wait_until(lambda: self.focused() == "Passwort eigeben:", what="the program to answer again")

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
        """Types text as real key events, waiting gaps_ms[i] between character i and i + 1.
        Returns the intervals as delivered, which on a busy machine may be longer."""
        start = self.keys.count()
        self.keyboard.type(text, gaps_ms)
        return self.keys.gaps(start, len(text))

    def key(self, chord):
        self.keyboard.key(chord)

    def pixels(self, name, inset=0):
        """The control's pixels on the screen, without `inset` pixels at each edge."""
        box = self.extents(name)
        return x_pixels(box.x + inset, box.y + inset, box.width - 2 * inset, box.height - 2 * inset)

    # The steps of a login (see login.log_in).
    def type_entry(self, field, text, gaps_ms):
        return self.type_rhythm(text, gaps_ms)

    def start_over(self, field):
        # Backspace empties the field and drops its stamps.
        self.key("BackSpace")
        wait_until(lambda: self.text(FIELDS[field]) == "", what=f"{FIELDS[field]!r} emptied to start over")

    def next_field(self):
        self.key("Tab")
        wait_until(lambda: self.focused() == FIELDS[1], what="the second field",
                   seen=lambda: f"focus on {self.focused()!r}")

    def confirm(self):
        self.key("Return")  # Login is the default button

    def verdict(self):
        verdict = self.control("Anmeldeergebnis")
        return wait_until(lambda: verdict.description, what="a verdict")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.communicate(timeout=10)
        if self.keys is not None:
            self.keys.close()
        if self.keyboard is not None:
            self.keyboard.close()
