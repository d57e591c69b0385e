"""Runs a test page (a GoogleTest program built for the web) in headless
chromium from file://: relays its output, performs the real input it asks
for through the harnessInput binding, and exits with its exit code."""
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402

PAGE_SECONDS = 300
# The longest a page may go without a word or a request.
QUIET_SECONDS = 60


class PageRun:
    def __init__(self, browser):
        self.browser = browser
        self.seen = 0
        self.exit_code = None

    def perform(self, request):
        answer = ""
        if "screenshot" in request:
            x, y, width, height = request["screenshot"]
            answer = self.browser.send("Page.captureScreenshot", clip=dict(
                x=x, y=y, width=width, height=height, scale=1))["data"]
        elif "click" in request:
            x, y = request["click"]
            self.browser.mouse("mouseMoved", x, y)
            self.browser.mouse("mousePressed", x, y, 1)
            self.browser.mouse("mouseReleased", x, y)
        else:
            common = dict(key=request["key"], code=request["code"],
                          windowsVirtualKeyCode=request["keyCode"],
                          modifiers=request["modifiers"])
            text = "\r" if request["key"] == "Enter" else ""
            self.browser.send("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown",
                              text=text, **common)
            self.browser.send("Input.dispatchKeyEvent", type="keyUp", **common)
        self.browser.send("Runtime.evaluate",
                          expression="self.harnessAnswer(%s)" % json.dumps(answer))

    def handle(self, event):
        params = event["params"]
        if event["method"] == "Runtime.consoleAPICalled":
            print(" ".join(str(a.get("value", a.get("description", ""))) for a in params["args"]),
                  flush=True)
        elif event["method"] == "Runtime.exceptionThrown":
            print("uncaught: %s" % params["exceptionDetails"], flush=True)
            self.exit_code = 1
        elif event["method"] == "Runtime.bindingCalled" and params["name"] == "harnessInput":
            self.perform(json.loads(params["payload"]))
        elif event["method"] == "Runtime.bindingCalled" and params["name"] == "harnessExit":
            self.exit_code = int(params["payload"])

    def next_events(self, seconds):
        with self.browser.lock:
            self.browser.lock.wait_for(lambda: len(self.browser.events) > self.seen, seconds)
            events = self.browser.events[self.seen:]
        self.seen += len(events)
        return events


def main():
    browser = Chromium()
    try:
        for name in ("harnessInput", "harnessExit"):
            browser.send("Runtime.addBinding", name=name)
        run = PageRun(browser)
        browser.navigate(sys.argv[1])
        end = time.monotonic() + PAGE_SECONDS
        while run.exit_code is None:
            events = run.next_events(QUIET_SECONDS)
            if not events or time.monotonic() > end:
                print("the page did not end; it is stuck or took over %d s" % PAGE_SECONDS,
                      flush=True)
                return 1
            for event in events:
                run.handle(event)
        return run.exit_code
    finally:
        browser.close()


if __name__ == "__main__":
    sys.exit(main())
