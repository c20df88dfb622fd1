#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The site in headless Chromium, as a visitor meets it: served on loopback from the release zip,
typed at through the DevTools protocol with a German layout's characters, read through the page's
accessibility mirror of the form. Intervals are judged against the key events as the page
received them, never against how promptly this script sent them.

usage: test_site.py taktlogin-<version>-web.zip"""

import json
import os
import re
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.browser import Chromium, SiteServer, control, extract_site  # noqa: E402
from testsupport.login import log_in  # noqa: E402
from testsupport.rhythm import TOLERANCE_MS, kept_plan  # noqa: E402

SITE_ZIP = None
# The release unpacked once and served on loopback for every test of this file.
SITE = SERVER = None


def setUpModule():
    global SITE, SERVER
    SITE = extract_site(SITE_ZIP)
    SERVER = SiteServer(SITE)


def tearDownModule():
    SERVER.close()
    shutil.rmtree(SITE, ignore_errors=True)

# Keys that type nothing: a dead key arrives as a key of its own, and the composed letter follows.
DEAD_ACUTE = ("Dead", "Equal", "", 0)
SHIFT = ("Shift", "ShiftLeft", "", 8)


def chart_bars(browser, row):
    """The chart's intervals in ms, from its description "Balken (ms): a; b. Schwelle (ms): t"."""
    description = browser.evaluate(f"{control(f'picPWD({row})')}.getAttribute('aria-description')") or ""
    match = re.match(r"Balken \(ms\): (.*)\. Schwelle \(ms\): ", description)
    return [float(value.replace(",", ".")) for value in match.group(1).split("; ")] if match else None


class SiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = SERVER
        cls.browser = Chromium()
        cls.browser.open_form(cls.server.url + "index.html")
        cls.loaded_requests = len(cls.server.requests)
        cls.browser.watch_form()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def key(self, *args, **kwargs):
        self.browser.key(*args, **kwargs)

    # The steps of a login (see testsupport.login).
    def type_entry(self, field, characters, gaps_ms):
        """Types the characters with the planned gaps between them; a Shift and a dead key that type
        nothing come in between. Returns the intervals between their key events as delivered."""
        before = self.browser.evaluate("delivered.length")
        self.browser.type(characters, gaps_ms, lambda character: DEAD_ACUTE if character == "é" else SHIFT)
        stamps = self.browser.evaluate("delivered")[before:]
        self.assertEqual(len(stamps), len(characters), "a character key did not reach the page")
        return [later - earlier for earlier, later in zip(stamps, stamps[1:])]

    def mirror(self, element_id, attribute="aria-description"):
        return self.browser.evaluate(f"{control(element_id)}.getAttribute('{attribute}')")

    def bars(self, row):
        listed = chart_bars(self.browser, row)
        self.assertIsNotNone(listed, f"chart {row}: {self.mirror(f'picPWD({row})')!r}")
        return listed

    def start_over(self, field):
        # Backspace resets an entry: the field empties and its stamps go.
        self.key("Backspace", "Backspace")

    def next_field(self):
        self.key("Tab", "Tab")

    def confirm(self):
        self.key("Enter", "Enter", "\r")

    def verdict(self):
        return self.browser.wait_for(f"{control('picOut')}.getAttribute('aria-description')", 10, "a verdict")

    def login(self, first, second, gaps_first, gaps_second):
        verdict, delivered = log_in(self, (first, gaps_first), (second, gaps_second))
        for row in (0, 1):
            listed = self.bars(row)
            self.assertEqual(len(listed), len(delivered[row]), f"row {row}: {listed} for {delivered[row]}")
            for shown, actual in zip(listed, delivered[row]):
                self.assertLess(abs(shown - actual), TOLERANCE_MS, f"row {row}: listed {listed}, delivered {delivered[row]}")
        # Read out as well, without the visitor turning anything on.
        self.assertEqual(self.browser.evaluate("document.getElementById('announcer').textContent"), verdict)
        self.assertEqual([self.mirror(f"txtPWD({row})", "aria-label") for row in (0, 1)],
                         ["Passwort eigeben:", "Passwort wiederholen:"])
        # What the verdict was drawn from, should it be the wrong one.
        self.charts = [self.mirror(f"picPWD({row})") for row in (0, 1)]
        return verdict

    def readable(self):
        """What a screen reader gets: the browser's accessibility tree, as {node id: node}, and the
        ids of the nodes it does not hide."""
        nodes = {node["nodeId"]: node for node in self.browser.call("Accessibility.getFullAXTree")["nodes"]}
        return nodes, [key for key, node in nodes.items() if not node.get("ignored")]

    def named(self, role):
        """{name: value} of the role's nodes in the tree; an unnamed one counts under ""."""
        nodes, shown = self.readable()
        found = {}
        for key in shown:
            node = nodes[key]
            if node.get("role", {}).get("value") == role:
                found.setdefault(node.get("name", {}).get("value", ""), node.get("value", {}).get("value", ""))
        return found

    def list_lines(self, name):
        """The text lines of the named list in the accessibility tree."""
        nodes, shown = self.readable()
        lists = [nodes[k] for k in shown if nodes[k].get("role", {}).get("value") == "list"
                 and nodes[k].get("name", {}).get("value") == name]
        self.assertEqual(len(lists), 1, f"list {name!r}")
        lines = []
        for item in lists[0].get("childIds", []):
            texts, pending = [], list(nodes[item].get("childIds", []))
            while pending:
                node = nodes[pending.pop(0)]
                if node.get("role", {}).get("value") == "StaticText":
                    texts.append(node.get("name", {}).get("value", ""))
                pending += node.get("childIds", [])
            lines.append("".join(texts))
        return lines

    def clear_both(self):
        # Backspace resets an entry: the field empties and its stamps go. The login left the
        # focus in the second field.
        self.key("Backspace", "Backspace")
        self.key("Tab", "Tab", modifiers=8)
        self.key("Backspace", "Backspace")

    def test_0_readable_on_arrival_and_redrawn_where_changed(self):
        # Every control of the Normal view by its caption, before anything has had the focus; the
        # Extended view's boxes hidden; no unnamed box (Qt's own hidden input is none).
        self.browser.call("Accessibility.enable")
        self.assertEqual(self.named("textbox"), {"Passwort eigeben:": "", "Passwort wiederholen:": ""})
        self.assertLessEqual({"Login", "Abbrechen"}, set(self.named("button")))
        # A key redraws the part of the window it changed, not the whole window.
        self.browser.evaluate("""(() => { window.puts = []; const put = CanvasRenderingContext2D.prototype.putImageData;
            CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
                puts.push([image.width * image.height, rest.length === 6 ? rest[4] * rest[5] : image.width * image.height]);
                return put.call(this, image, ...rest); }; })()""")
        # And the mirror only where it changed: no list rebuilt, nothing renamed.
        self.browser.evaluate("""(() => { window.mirrored = []; new MutationObserver(changes => mirrored.push(
            ...changes.map(c => c.removedNodes.length ? 'removed' : c.attributeName || c.type)))
            .observe(document.querySelector('#screen *').shadowRoot, { subtree: true, childList: true, attributes: true }); })()""")
        self.key("k", "KeyK", "k")
        puts = self.browser.wait_for("puts.length && puts", 10, "the repaint after a key")
        self.assertLess(sum(area for _, area in puts), puts[0][0] / 4, puts)
        self.key("l", "KeyL", "l")
        self.browser.wait_for("mirrored.filter(c => c === 'childList').length >= 2", 10, "the list's new lines")
        self.assertFalse({"removed", "name", "aria-label"} & set(self.browser.evaluate("mirrored")))
        self.key("Backspace", "Backspace")
        self.assertEqual(self.named("textbox"), {"Passwort eigeben:": "", "Passwort wiederholen:": ""})

    def test_1_login_with_german_keys_secret_and_unrecorded(self):
        entry = "Tä@ké9"
        # Typed at once after loading: the first field has the focus from the start.
        self.assertEqual(self.login(entry, entry, [300, 120, 300, 120, 300], [300, 120, 300, 120, 300]),
                         "Login korrekt!", self.charts)
        self.clear_both()
        self.assertEqual(self.login(entry, entry, [300, 120, 300, 120, 300], [120, 300, 120, 300, 120]),
                         "Login falsch!")

        # Copy and cut out of a field reach no clipboard.
        origin = self.server.url.rstrip("/")
        self.browser.call("Browser.grantPermissions", origin=origin,
                          permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        self.browser.evaluate("navigator.clipboard.writeText('vorher')", await_promise=True)
        for shortcut in ("a", "c", "x"):
            self.key(shortcut, f"Key{shortcut.upper()}", "", 2)
        self.assertEqual(self.browser.evaluate("navigator.clipboard.readText()", await_promise=True), "vorher")
        # Pasting reaches the fields: with "vorher" in both, "Login" gives a verdict.
        self.clear_both()
        self.key("v", "KeyV", "", 2, ["paste"])
        self.key("Tab", "Tab")
        self.key("v", "KeyV", "", 2, ["paste"])
        self.key("Enter", "Enter", "\r")
        self.browser.wait_for(f"{control('picOut')}.getAttribute('aria-description')", 10,
                              "a verdict on pasted entries")

        # Nothing asked for since loading; nothing stored; nothing in the address or the history.
        self.assertEqual(self.server.requests[self.loaded_requests:], [])
        self.assertEqual(self.browser.evaluate("document.cookie"), "")
        self.assertEqual(self.browser.evaluate("localStorage.length + sessionStorage.length"), 0)
        self.assertEqual(self.browser.evaluate("indexedDB.databases().then(d => d.length)", await_promise=True), 0)
        self.assertEqual(self.browser.evaluate("caches.keys().then(k => k.length)", await_promise=True), 0)
        self.assertEqual(self.browser.evaluate("location.href"), self.server.url + "index.html")
        visited = [entry["url"] for entry in self.browser.call("Page.getNavigationHistory")["entries"]]
        self.assertEqual([url for url in visited if url != "about:blank"], [self.server.url + "index.html"])
        # Qt's own hidden text field is kept from spelling services and autofill.
        self.assertEqual(self.browser.evaluate(
            "[...document.querySelectorAll('body > input')].filter(f => f.spellcheck || "
            "f.getAttribute('autocomplete') !== 'off').length"), 0)

    def test_2_extended_view_and_end(self):
        hidden = f"{control('txtTakt(0)')}.ariaHidden"
        self.assertEqual(self.browser.evaluate(hidden), "true")
        self.browser.evaluate(f"{control('mnuErweitert', 'QMenuBar.mnuAnsicht.mnuAnsicht')}.click()")
        self.browser.wait_for(f"{hidden} === 'false'", 10, "the extended view")
        # The boxes and the list read what they show, without the focus on them.
        # Leaving a field fills its row's boxes.
        self.clear_both()
        for character in "abcde":
            self.key(character, f"Key{character.upper()}", character)
        self.key("Tab", "Tab")
        self.browser.wait_for(f"{control('txtCount(0)')}.value === '5 Zeichen'", 10, "the length box")
        self.assertEqual(self.named("textbox")["Passwort-Länge: (Eingabe)"], "5 Zeichen")
        lines = self.list_lines("Eingabetakt (ms): (Eingabe)")
        self.assertEqual([line.split(": ")[0] for line in lines], list("abcde"), lines)
        self.assertEqual(lines[0], "a: 0")
        # "Abbrechen" ends the program; the page says so and offers a new start.
        self.browser.evaluate(f"{control('cmdEnd')}.click()")
        self.browser.wait_for("!document.getElementById('status').hidden", 10, "the page after the end")
        self.assertEqual(self.browser.evaluate("document.getElementById('status-text').textContent"),
                         "Taktlogin wurde beendet.")
        self.assertFalse(self.browser.evaluate("document.getElementById('restart').hidden"))


# Each system's key events for one entry of five or more characters (Login needs them), as its
# browsers send them: ("key", key, code, text, modifiers, commands) presses and releases a key
# (text is what the browser types with it), ("down", key) and ("up", key) do one of the two;
# ("insert", text) is text the browser or a virtual keyboard inserts on its own; ("compose", text)
# a composition in progress. "pause" marks where a gap falls between the characters, ("sleep", ms)
# a wait of its own. Modifiers: Alt 1, Ctrl 2, Meta/Cmd 4, Shift 8.
PAUSE = ("pause",)
GAPS = [120, 360] * 12  # ms, one at each pause


def android_key(character, late=0):
    return [("down", "Unidentified"), ("sleep", late), ("insert", character), ("up", "Unidentified")]


KEYBOARDS = {
    # AltGr comes as Ctrl+Alt with the character as its key, which the browser inserts after it.
    "Windows, AltGr as Ctrl+Alt": (["B", "ä", "@", "x", "9"], [
        ("key", "B", "KeyB", "B", 8, ()), PAUSE, ("key", "ä", "Quote", "ä", 0, ()), PAUSE,
        ("key", "Control", "ControlLeft", "", 2, ()), ("key", "@", "KeyQ", "", 3, ()), ("insert", "@"), PAUSE,
        ("key", "x", "KeyX", "x", 0, ()), PAUSE, ("key", "9", "Digit9", "9", 0, ())]),
    "Windows, dead keys ^ ´ `": (["ê", "á", "ò", "1", "2"], [
        ("key", "Dead", "Backquote", "", 0, ()), ("key", "ê", "KeyE", "ê", 0, ()), PAUSE,
        ("key", "Dead", "Equal", "", 0, ()), ("key", "á", "KeyA", "á", 0, ()), PAUSE,
        ("key", "Dead", "Equal", "", 8, ()), ("key", "ò", "KeyO", "ò", 0, ()), PAUSE,
        ("key", "1", "Digit1", "1", 0, ()), PAUSE, ("key", "2", "Digit2", "2", 0, ())]),
    # Option gives the character with Alt held; Cmd+C copies and types nothing.
    "macOS, Option characters and Cmd": (["x", "@", "€", "y", "z"], [
        ("key", "x", "KeyX", "x", 0, ()), PAUSE, ("key", "@", "KeyL", "@", 1, ()), PAUSE,
        ("key", "c", "KeyC", "", 4, ("copy",)), ("key", "€", "KeyE", "€", 1, ()), PAUSE,
        ("key", "y", "KeyY", "y", 0, ()), PAUSE, ("key", "z", "KeyZ", "z", 0, ())]),
    # An Option dead key starts a composition that the next letter ends.
    "macOS, Option dead keys": (["ü", "é", "1", "2", "3"], [
        ("key", "Dead", "KeyU", "", 1, ()), ("compose", "¨"), ("insert", "ü"), PAUSE,
        ("key", "Dead", "KeyE", "", 1, ()), ("compose", "´"), ("insert", "é"), PAUSE,
        ("key", "1", "Digit1", "1", 0, ()), PAUSE, ("key", "2", "Digit2", "2", 0, ()), PAUSE,
        ("key", "3", "Digit3", "3", 0, ())]),
    "Linux and ChromeOS, AltGr of its own": (["a", "@", "€", "b", "c"], [
        ("key", "a", "KeyA", "a", 0, ()), PAUSE, ("key", "AltGraph", "AltRight", "", 0, ()),
        ("key", "@", "KeyQ", "@", 0, ()), PAUSE, ("key", "€", "KeyE", "€", 0, ()), PAUSE,
        ("key", "b", "KeyB", "b", 0, ()), PAUSE, ("key", "c", "KeyC", "c", 0, ())]),
    # Android: every key is 229 "Unidentified", and the keyboard commits its character while it
    # is down. On a busy phone the commit may come late; the character belongs to its key still.
    "Android, committed while the key is down": (["T", "a", "k", "7", "!"], [
        *android_key("T"), ("sleep", 120), *android_key("a", late=250), ("sleep", 110), *android_key("k"),
        ("sleep", 120), *android_key("7", late=250), ("sleep", 110), *android_key("!")]),
    # A word composed and then committed at once, as with word suggestions: one change.
    "Android, a composed word": (["geheim"], [
        ("key", "Unidentified", "", "", 0, ()), ("compose", "ge"), ("compose", "gehe"),
        ("compose", "geheim"), ("insert", "geheim")]),
    # iOS after a tap: committed text, without key events worth the name.
    "iOS, committed text": (["W", "o", "r", "t", "e"], [
        ("insert", "W"), PAUSE, ("insert", "o"), PAUSE, ("insert", "r"), PAUSE, ("insert", "t"), PAUSE,
        ("insert", "e")]),
}


class KeyboardTest(unittest.TestCase):
    """One table of keyboards: each row's events typed into the first field must give exactly its
    characters, one stamp per character (group), and log in against them."""

    def test_keyboards(self):
        with Chromium() as browser:
            browser.open_form(SERVER.url + "index.html")
            browser.wait_for_mirror()
            for name, (groups, steps) in KEYBOARDS.items():
                with self.subTest(name):
                    # The second field gets the same characters, committed group by group with the
                    # same pauses: "Login korrekt!" only if the first got exactly these characters,
                    # stamped once per group, and nothing for keys that type nothing.
                    for attempt in range(3):
                        verdict, listed = self.type_row(browser, groups, steps)
                        if verdict == "Login korrekt!" or all(not bars or kept_plan(bars, GAPS) for bars in listed):
                            break
                    self.assertEqual(verdict, "Login korrekt!", listed)

    @staticmethod
    def type_row(browser, groups, steps):
        """Types the row's steps into the first field and the reference into the second; returns
        the verdict and both charts' intervals, and empties the fields again."""
        reference = [step for group in groups for step in (("insert", group), PAUSE)][:-1]
        for row, entry in ((0, steps), (1, reference)):
            gaps = iter(GAPS)
            for step in entry:
                if step[0] == "pause":
                    time.sleep(next(gaps) / 1000)
                elif step[0] == "sleep":
                    time.sleep(step[1] / 1000)
                elif step[0] in ("down", "up"):
                    browser.key(step[1], "", down=step[0] == "down", up=step[0] == "up")
                elif step[0] == "insert":
                    browser.call("Input.insertText", text=step[1])
                elif step[0] == "compose":
                    browser.call("Input.imeSetComposition", text=step[1],
                                 selectionStart=len(step[1]), selectionEnd=len(step[1]))
                else:
                    browser.key(*step[1:])
            if row == 0:
                browser.key("Tab", "Tab")
        try:
            browser.key("Enter", "Enter", "\r")
            verdict = browser.wait_for(f"{control('picOut')}.getAttribute('aria-description')", 10)
            return verdict, [chart_bars(browser, row) for row in (0, 1)]
        finally:
            # Backspace empties a field; back to the first.
            browser.key("Backspace", "Backspace")
            browser.key("Tab", "Tab", modifiers=8)
            browser.key("Backspace", "Backspace")
            browser.wait_for(f"!{control('picOut')}.getAttribute('aria-description')", 10)


class ArrivalTest(unittest.TestCase):
    """How a visitor comes to the form: from disk, or down a slow line."""

    def test_arrival(self):
        sent = SERVER.sent
        # (case, address, kbit/s or 0, a line the page shows while it is there)
        cases = [("opened from disk", "file://" + os.path.join(SITE, "index.html"), 0,
                  r"^Taktlogin muss von einem Webserver kommen.*python3 -m http\.server 8000.*http://localhost:8000/"),
                 ("4 Mbit/s line", SERVER.url + "index.html", 4000,
                  r"^Taktlogin wird geladen … \d+ % \(\d+,\d von \d+,\d MB\)$")]
        for case, address, kbits, line in cases:
            with self.subTest(case), Chromium() as browser:
                if kbits:
                    browser.call("Network.enable")
                    browser.call("Network.emulateNetworkConditions", offline=False, latency=40,
                                 downloadThroughput=kbits * 125, uploadThroughput=kbits * 125)
                browser.call("Page.navigate", url=address)
                text = "document.getElementById('status-text').textContent"
                browser.wait_for(f"new RegExp({json.dumps(line)}).test({text})", 30, f"{case}: {line}")
        self.assertGreater(SERVER.sent, sent, "the program was not sent compressed")
        # Its weight, just above the release's: more of Qt let in shows here.
        for packed, limit in (("taktlogin.wasm.gz", 2.75e6), ("taktlogin.wasm.br", 2.15e6)):
            self.assertLessEqual(os.path.getsize(os.path.join(SITE, packed)), limit, packed)


class ScreenSizeTest(unittest.TestCase):
    """Phones held upright and a tablet, with touch: both views wholly reachable."""

    def test_sizes(self):
        # The window's box in page coordinates, and how far the page reaches.
        window_box = ("(w => { const r = w.getBoundingClientRect(); return [r.left + scrollX, r.top + scrollY, "
                      "r.right + scrollX, r.bottom + scrollY]; })"
                      "([...document.querySelector('#screen *').shadowRoot.querySelectorAll('.qt-window')]"
                      ".reduce((a, b) => a.getBoundingClientRect().width >= b.getBoundingClientRect().width ? a : b))")
        page = "[document.scrollingElement.scrollWidth, document.scrollingElement.scrollHeight]"
        for width, height, ratio in ((360, 640, 3), (412, 915, 2.625), (1024, 768, 2)):
            with self.subTest(f"{width}x{height}"), Chromium() as browser:
                browser.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                             deviceScaleFactor=ratio, mobile=width < 1000)
                browser.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
                browser.open_form(SERVER.url + "index.html")
                browser.wait_for_mirror()
                normal = browser.evaluate(window_box)
                self.assertGreaterEqual(min(normal[:2]), 0, normal)
                self.assertEqual(browser.evaluate(page), [width, height], "the Normal view fits")
                browser.evaluate(f"{control('mnuErweitert', 'QMenuBar.mnuAnsicht.mnuAnsicht')}.click()")
                browser.wait_for(f"{control('txtTakt(0)')}.ariaHidden === 'false'", 10, "the extended view")
                time.sleep(0.5)
                extended = browser.evaluate(window_box)
                self.assertEqual(extended[:2], normal[:2], "the window kept its top-left corner")
                for turned in (False, True):
                    if turned:
                        # Turned on its side, then read again.
                        browser.call("Emulation.setDeviceMetricsOverride", width=height, height=width,
                                     deviceScaleFactor=ratio, mobile=width < 1000)
                        time.sleep(0.5)
                        self.assertEqual(browser.evaluate(window_box), extended, "turning moved the window")
                    reach = browser.evaluate(page)
                    self.assertGreaterEqual(reach[0], extended[2], f"right edge out of reach, turned: {turned}")
                    self.assertGreaterEqual(reach[1], extended[3], f"bottom out of reach, turned: {turned}")

class AuditTest(unittest.TestCase):
    """Lighthouse's accessibility score and axe-core, as tests/web/audit/ pins them (installed by
    the web_audit_tools test into the folder TAKTLOGIN_AUDIT_TOOLS names)."""

    def test_accessibility_audits(self):
        tools = os.environ.get("TAKTLOGIN_AUDIT_TOOLS")
        if not tools:
            self.fail("TAKTLOGIN_AUDIT_TOOLS names no folder with the audit tools (see tests/web/CMakeLists.txt)")
        audit = subprocess.run(["node", os.path.join(tools, "audit.mjs"), SERVER.url + "index.html"],
                               capture_output=True, text=True, timeout=300)
        print(audit.stdout, end="", file=sys.stderr)
        self.assertEqual(audit.returncode, 0, audit.stdout + audit.stderr[-2000:])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    SITE_ZIP = sys.argv.pop(1)
    unittest.main(verbosity=2)
