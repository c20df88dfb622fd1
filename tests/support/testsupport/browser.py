# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Browsers: headless Chromium driven through the DevTools protocol, any browser as a real
window, and a loopback web server that records every request. Loopback only: nothing here
reaches the network."""

import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request
import zipfile

import websocket

from .waiting import wait_until


class SiteServer:
    """Serves a folder on 127.0.0.1 and keeps (time, path) of every request. Files are sent with
    the caching headers README asks of a server: revalidated on every visit (no-cache), by their
    modification time, so that a second visit gets "304 Not Modified" and the browser's copy."""

    def __init__(self, folder):
        self.requests = []
        self.sent = 0  # bytes of compressed bodies
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=folder, **kwargs)

            def log_message(self, *args):
                pass

            def end_headers(self):
                self.send_header("Cache-Control", "no-cache")
                super().end_headers()

            def do_GET(self):
                server.requests.append((time.monotonic(), self.path))
                # As a server that sends the release's pre-compressed files does (nginx gzip_static).
                packed = self.translate_path(self.path) + ".gz"
                if "gzip" in self.headers.get("Accept-Encoding", "") and os.path.isfile(packed):
                    modified = self.date_time_string(int(os.path.getmtime(packed)))
                    if self.headers.get("If-Modified-Since") == modified:
                        self.send_response(304)
                        self.end_headers()
                        return
                    with open(packed, "rb") as file:
                        body = file.read()
                    self.send_response(200)
                    self.send_header("Content-Type", self.guess_type(self.path))
                    self.send_header("Content-Encoding", "gzip")
                    self.send_header("Content-Length", str(len(body)))
                    self.send_header("Last-Modified", modified)
                    self.end_headers()
                    try:
                        self.wfile.write(body)
                    except (BrokenPipeError, ConnectionResetError):
                        return  # the page was left while it loaded
                    server.sent += len(body)
                    return
                super().do_GET()

        Handler.extensions_map = {**Handler.extensions_map, ".wasm": "application/wasm", ".js": "text/javascript"}
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


def extract_site(site_zip):
    """The release unpacked into a new temporary folder, as a visitor's server would hold it."""
    folder = tempfile.mkdtemp(prefix="taktlogin-site-")
    with zipfile.ZipFile(site_zip) as archive:
        archive.extractall(folder)
    return folder


# A JavaScript function that finds an element of the form's accessibility mirror by its id; Qt
# keeps the mirror in shadow roots.
FIND = """(id => { const find = root => { const hit = root.getElementById ? root.getElementById(id) : null;
    if (hit) return hit; for (const e of root.querySelectorAll('*')) if (e.shadowRoot) { const f = find(e.shadowRoot);
    if (f) return f; } return null; }; return find(document); })"""


def control(name, parent="client"):
    """A JavaScript expression for the mirror element of a control of the form, such as txtPWD(0)."""
    return f"{FIND}('Application.Form1.{parent}.{name}')"


# (key, code, text, modifiers) of the characters whose key is not named after them, as Chromium on
# Linux delivers them from a German layout, where AltGr sets neither Ctrl nor Alt. Modifiers: Alt
# 1, Ctrl 2, Meta/Cmd 4, Shift 8.
GERMAN_KEYS = {"ä": ("ä", "Quote", "ä", 0), "ß": ("ß", "Minus", "ß", 0), "@": ("@", "KeyQ", "@", 0),
               "€": ("€", "KeyE", "€", 0), "é": ("é", "KeyE", "é", 0)}


def key_of(character):
    """The key event that types a character: a letter's or digit's own key, else the German layout's."""
    if character in GERMAN_KEYS:
        return GERMAN_KEYS[character]
    code = f"Key{character.upper()}" if character.isalpha() else f"Digit{character}"
    return character, code, character, 8 if character.isupper() else 0


def end_browser(process, profile):
    """Ends a browser started here and removes its profile."""
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(10)
    if profile:
        shutil.rmtree(profile, ignore_errors=True)


class BrowserWindow:
    """A browser as a real window of the X session, on a fresh profile of its own:
    command(url, profile) gives its command line. Ended, with its profile, on leaving."""

    def __init__(self, command, url):
        self.profile = tempfile.mkdtemp(prefix="taktlogin-browser-")
        # WebKit's sandbox needs user namespaces, which a build's chroot may not give.
        environment = dict(os.environ, WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS="1")
        self.process = subprocess.Popen(command(url, self.profile), env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        end_browser(self.process, self.profile)


class Chromium:
    """One headless Chromium with a fresh profile and one page, spoken to over its WebSocket."""

    def __init__(self, width=1280, height=800, profile=None):
        # A given profile outlives the browser: the next one started on it is a returning visitor.
        self.keep_profile = profile is not None
        self.profile = profile or tempfile.mkdtemp(prefix="taktlogin-chromium-")
        arguments = ["chromium", "--headless=new", "--remote-debugging-port=0", "--remote-debugging-address=127.0.0.1",
                     f"--user-data-dir={self.profile}", f"--window-size={width},{height}", "--no-first-run",
                     "--no-default-browser-check", "--disable-background-networking", "--disable-sync",
                     "--disable-component-update", "--disable-extensions", "--lang=de-DE", "about:blank"]
        if os.geteuid() == 0:
            arguments.insert(1, "--no-sandbox")
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)  # the last session's
        self.process = subprocess.Popen(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def port():
            if self.process.poll() is not None:
                raise AssertionError(f"Chromium ended with status {self.process.returncode} before it opened its port")
            with open(port_file) as text:
                lines = text.read().split("\n")
            return len(lines) >= 2 and lines[0]

        port = wait_until(port, timeout=30, interval=0.1, what="Chromium's DevTools port", errors=(OSError,))
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as reply:
            page = next(target for target in json.load(reply) if target["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60, suppress_origin=True)
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, seconds=30, what=None):
        # An error while the page is still loading counts as not yet.
        return wait_until(lambda: self.evaluate(expression), timeout=seconds, what=what or expression,
                          errors=(RuntimeError,))

    def key(self, key, code, text="", modifiers=0, commands=(), down=True, up=True):
        """Presses and releases one key, or only one of the two; text is what it types, if anything."""
        params = {"key": key, "code": code, "modifiers": modifiers}
        if key == "Unidentified":
            params["windowsVirtualKeyCode"] = 229  # what a virtual keyboard's keys report
        if text:
            params.update(text=text, unmodifiedText=text)
        if down:
            self.call("Input.dispatchKeyEvent", type="keyDown", commands=list(commands), **params)
        if up:
            self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, modifiers=modifiers)

    def type(self, text, gaps_ms=(), before=None):
        """Types text key by key, waiting gaps_ms[i] between character i and i + 1. before(character)
        gives a key (key, code, text, modifiers) pressed just ahead of each character but the first."""
        for index, character in enumerate(text):
            if index and gaps_ms:
                time.sleep(gaps_ms[index - 1] / 1000)
            if index and before:
                self.key(*before(character))
            self.key(*key_of(character))

    def open_form(self, url):
        """Loads the site and returns the ms from navigation to the painted form (the page's mark)."""
        self.call("Page.navigate", url=url)
        self.wait_for("performance.getEntriesByName('taktlogin-form-painted').length", 30, "the painted form")
        return self.evaluate("performance.getEntriesByName('taktlogin-form-painted')[0].startTime")

    def watch_form(self):
        """Records when the browser made each key event that types a character (window.delivered),
        and how late the page's main thread came to it (window.lateness): the program stamps with
        the former. The page turns on Qt's accessibility mirror of the form by itself; the form's
        state is read from there."""
        self.evaluate("""(() => { window.delivered = []; window.lateness = [];
            addEventListener('keydown', e => { if (e.key.length !== 1) return;
                delivered.push(e.timeStamp); lateness.push(performance.now() - e.timeStamp); }, true); })()""")
        self.wait_for_mirror()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def wait_for_mirror(self):
        self.wait_for(f"{control('picOut')} !== null", 10, "the accessibility mirror")

    def close(self):
        if self.keep_profile:
            # Closed as a visitor closes it, so that it writes out what it keeps for next time.
            try:
                self.call("Browser.close")
                self.process.wait(30)
            except (OSError, RuntimeError, subprocess.TimeoutExpired, websocket.WebSocketException):
                pass
        try:
            self.socket.close()
        finally:
            end_browser(self.process, None if self.keep_profile else self.profile)
