"""Debian's headless chromium, driven over the DevTools protocol with
python3-websocket: one browser per Chromium(), in its own process group, with
a throw-away profile. Input is real (hit-tested, user activation included).
Every wait ends at a deadline and raises AssertionError with what it waited for.
It serves run.sh --web (the screenshot without a display), the page's bench
and its tests."""
import atexit
import base64
import ctypes
import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import websocket

DEADLINE_SECONDS = 20
KEYS = {  # name: (code, Windows key code, text)
    "Tab": ("Tab", 9, ""), "Enter": ("Enter", 13, "\r"), "Escape": ("Escape", 27, ""),
    " ": ("Space", 32, " "), "ArrowUp": ("ArrowUp", 38, ""), "ArrowDown": ("ArrowDown", 40, "")}
ALT, CTRL, SHIFT = 1, 2, 8


def _die_with_parent():
    # A test killed outright must not leave its browser behind.
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


if threading.current_thread() is threading.main_thread():
    # `timeout` stops a suite with SIGTERM: leave through atexit, closing the browsers.
    def _leave(*_):
        signal.signal(signal.SIGTERM, signal.SIG_IGN)  # once is enough
        sys.exit(143)
    signal.signal(signal.SIGTERM, _leave)


def wait_until(what, probe, seconds=DEADLINE_SECONDS):
    """probe's first true answer, asked every 20 ms."""
    end = time.monotonic() + seconds
    while True:
        answer = probe()
        if answer:
            return answer
        if time.monotonic() > end:
            raise AssertionError("gave up after %g s waiting for %s" % (seconds, what))
        time.sleep(0.02)


class Chromium:
    def __init__(self, *flags):
        self.profile = tempfile.mkdtemp(prefix="brevolt-chromium-")
        self.log = os.path.join(self.profile, "stderr.log")
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen(
                ["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                 "--disable-dev-shm-usage", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--host-resolver-rules=MAP * ~NOTFOUND",  # never the network
                 "--window-size=1024,768", "--remote-debugging-port=0",
                 "--user-data-dir=" + self.profile, *flags, "about:blank"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log,
                start_new_session=True, preexec_fn=_die_with_parent)
        atexit.register(self.close)
        self.lock = threading.Condition()
        self.replies, self.events, self.next_id = {}, [], 0
        address = wait_until("chromium's DevTools address", self._devtools_address)
        self.socket = websocket.create_connection(address, timeout=DEADLINE_SECONDS,
                                                  suppress_origin=True)
        threading.Thread(target=self._read, daemon=True).start()
        self.send("Target.setDiscoverTargets", discover=True, session=None)
        page = next(t for t in self.send("Target.getTargets", session=None)["targetInfos"]
                    if t["type"] == "page")
        self.target = page["targetId"]
        self.session = self.send("Target.attachToTarget", targetId=self.target, flatten=True,
                                 session=None)["sessionId"]
        for domain in ("Page", "Runtime", "Network"):
            self.send(domain + ".enable")

    def _devtools_address(self):
        if self.process.poll() is not None:
            raise AssertionError("chromium ended at once; see " + self.log)
        with open(self.log, errors="replace") as log:
            for line in log:
                if line.startswith("DevTools listening on "):
                    return line.split()[-1]
        return None

    def _read(self):
        while True:
            try:
                message = json.loads(self.socket.recv())
            except Exception:  # pylint: disable=broad-except  # closed
                return
            with self.lock:
                if "id" in message:
                    self.replies[message["id"]] = message
                else:
                    self.events.append(message)
                self.lock.notify_all()

    def close(self):
        """Ends the browser and every process it started; may be called again."""
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def send(self, method, seconds=DEADLINE_SECONDS, session="page", **params):
        """A command's result; session=None addresses the browser itself."""
        with self.lock:
            self.next_id += 1
            number = self.next_id
        message = {"id": number, "method": method, "params": params}
        if session:
            message["sessionId"] = self.session if session == "page" else session
        self.socket.send(json.dumps(message))
        with self.lock:
            if not self.lock.wait_for(lambda: number in self.replies, seconds):
                raise AssertionError("no answer to %s within %g s" % (method, seconds))
            reply = self.replies.pop(number)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply["result"]

    def event_params(self, method):
        with self.lock:
            return [e["params"] for e in self.events if e["method"] == method]

    # --- The page ---------------------------------------------------------------
    def add_script(self, source):
        """Runs source in every document loaded from now on, before its own scripts."""
        self.send("Page.addScriptToEvaluateOnNewDocument", source=source)

    def navigate(self, path_or_url, seconds=DEADLINE_SECONDS):
        """Loads a file or an address, also the one shown now, and waits for its load event."""
        url = (pathlib.Path(path_or_url).resolve().as_uri() if os.path.exists(path_or_url)
               else path_or_url)
        self.evaluate("self.cdpLeaving = true")  # the new document is the one without it
        self.send("Page.navigate", url=url)
        self.wait_for("!self.cdpLeaving && document.readyState === 'complete' && location.href === "
                      + json.dumps(url), seconds)

    def evaluate(self, expression, seconds=DEADLINE_SECONDS):
        """The expression's value (promises awaited), as JSON gives it."""
        answer = self.send("Runtime.evaluate", seconds, expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in answer:
            raise RuntimeError("%s: %s" % (expression, answer["exceptionDetails"]))
        return answer["result"].get("value")

    def wait_for(self, expression, seconds=DEADLINE_SECONDS):
        return wait_until(expression, lambda: self.evaluate(expression, seconds), seconds)

    def box(self, selector):
        """The element's {x, y, width, height, ...} in CSS pixels of the viewport."""
        return self.evaluate("document.querySelector(%s).getBoundingClientRect().toJSON()"
                             % json.dumps(selector))

    def screenshot(self, path):
        with open(path, "wb") as png:
            png.write(base64.b64decode(self.send("Page.captureScreenshot")["data"]))

    # --- Real input -------------------------------------------------------------
    def mouse(self, kind, x, y, buttons=0):
        self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                  buttons=buttons, clickCount=1 if kind != "mouseMoved" else 0)

    def click(self, selector):
        """A left click at the element's centre, wherever hit-testing takes it."""
        box = self.box(selector)
        x, y = box["x"] + box["width"] / 2, box["y"] + box["height"] / 2
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, 1)
        self.mouse("mouseReleased", x, y)

    def key(self, name, modifiers=0):
        """A key from KEYS pressed and released; with Ctrl or Alt it types nothing."""
        code, number, text = KEYS[name]
        text = "" if modifiers & (ALT | CTRL) else text
        common = dict(key=name, code=code, windowsVirtualKeyCode=number, modifiers=modifiers)
        self.send("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text,
                  **common)
        self.send("Input.dispatchKeyEvent", type="keyUp", **common)

    # --- What the page does besides drawing -------------------------------------
    def allow_downloads(self, folder):
        self.send("Browser.setDownloadBehavior", behavior="allow", downloadPath=folder,
                  eventsEnabled=True, session=None)

    def wait_downloads(self, count, seconds=DEADLINE_SECONDS):
        """The suggested names of the first `count` downloads, in the order they began,
        once all of them are complete on disk."""
        def complete():
            begun = self.event_params("Browser.downloadWillBegin")[:count]
            done = {p["guid"] for p in self.event_params("Browser.downloadProgress")
                    if p["state"] == "completed"}
            return len(begun) == count and all(p["guid"] in done for p in begun) and begun
        begun = wait_until("%d downloads" % count, complete, seconds)
        return [p["suggestedFilename"] for p in begun]

    def wait_new_tab(self, seconds=DEADLINE_SECONDS):
        """The address of the first other page that leaves about:blank."""
        def address():
            tabs = [p["targetInfo"] for p in self.event_params("Target.targetInfoChanged")]
            return next((tab["url"] for tab in tabs if tab["type"] == "page" and tab["targetId"]
                         != self.target and tab["url"] not in ("", "about:blank")), None)
        return wait_until("a new tab", address, seconds)

    def requested_urls(self):
        return [p["request"]["url"] for p in self.event_params("Network.requestWillBeSent")]
