"""The page's rows of tools/bench.sh's table (figure|value|reference|ratio|target),
measured in headless chromium:
  page_bench.py PAGE PLAIN_PAGE RUNS
Start-up is the time from navigation until the window's last gadget is laid
out, the median of RUNS alternating loads of each page, each in a new browser
whose renderer has shown an empty file first: no cache, no process start."""
import base64
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from chromium import Chromium  # noqa: E402

LINES = 100000
BURSTS = 100
SHOWN_AT = """new MutationObserver((_, observer) => {
  const last = document.querySelector('[data-window="0"] [data-gadget="30"]');
  if (last && last.getClientRects().length) {
    self.shownAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {childList: true, subtree: true, attributes: true});"""
# Bursts of clicks on Add, each followed by one on Generate for a key picked
# in turn, whose line tells when the program has handled the burst: a queue
# as long as a burst, as a fast player makes. Milliseconds in all.
ADD_CLICKS = """(async () => {
  const gadget = n => document.querySelector(`[data-gadget="${n}"]`), started = performance.now();
  for (let burst = 0; burst < %d; burst++) {
    gadget(27).selectedIndex = 1 + burst %% 2;
    for (let i = 0; i < %d; i++) gadget(8).click();
    gadget(6).click();
    while (gadget(28).value !== `bind "${'ab'[burst %% 2]}" ""`)
      await new Promise(next => {  // a task of its own, not clamped as a timer is
        const channel = new MessageChannel();
        channel.port1.onmessage = next;
        channel.port2.postMessage(0);
      });
  }
  return performance.now() - started;
})()""" % (BURSTS, LINES // BURSTS)
# The same bytes as two downloads from plain JavaScript, made ready untimed.
PLAIN_DOWNLOADS = """(self.plainLinks = %s.map(([name, text]) => {
  const link = document.createElement('a');
  link.download = name;
  link.href = URL.createObjectURL(new Blob([Uint8Array.from(atob(text), c => c.charCodeAt(0))]));
  return link;
})).length"""


def row(figure, value, reference="-", ratio="-", target="-"):
    print("|".join([figure, value, reference, ratio, target]))


def start_up(page, plain, runs, folder):
    empty = os.path.join(folder, "empty.html")
    with open(empty, "w") as file:
        file.write("<!DOCTYPE html><title>empty</title>")
    times = {page: [], plain: []}
    for _ in range(runs):
        for path in (page, plain):
            browser = Chromium()
            browser.add_script(SHOWN_AT)
            browser.navigate(empty)
            browser.navigate(path)
            times[path].append(browser.wait_for("self.shownAt"))
            browser.close()
    ours, theirs = statistics.median(times[page]), statistics.median(times[plain])
    row("page start-up until the window is shown (median)", "%.1f ms" % ours,
        "%.1f ms same controls, plain JS" % theirs, "%.2f" % (ours / theirs), "<= 1.20")


def save_config(page, folder):
    browser = Chromium()
    browser.add_script(SHOWN_AT)
    browser.allow_downloads(folder)
    browser.navigate(page)
    browser.wait_for("self.shownAt")
    row("page Add of %d lines (%d bursts of clicks from page script)" % (LINES, BURSTS),
        "%.0f ms" % browser.evaluate(ADD_CLICKS, 300))
    started = time.monotonic()
    browser.click('[data-gadget="9"]')
    names = browser.wait_downloads(2, 600)
    saved = time.monotonic() - started
    files = []
    for name in names:
        with open(os.path.join(folder, name), "rb") as file:
            files.append([name, base64.b64encode(file.read()).decode()])
    browser.evaluate(PLAIN_DOWNLOADS % files, 600)
    started = time.monotonic()
    browser.evaluate("self.plainLinks.forEach(link => link.click())")
    browser.wait_downloads(4, 600)
    plain = time.monotonic() - started
    row("page Save Config of %d lines, until both downloads are complete" % LINES,
        "%.0f ms" % (saved * 1000), "%.0f ms same bytes, plain JS" % (plain * 1000),
        "%.2f" % (saved / plain))
    browser.close()


def main(page, plain, runs, sections="start-up save"):
    with tempfile.TemporaryDirectory() as folder:
        if "start-up" in sections:
            start_up(page, plain, int(runs), folder)
        if "save" in sections:
            save_config(page, folder)


if __name__ == "__main__":
    main(*sys.argv[1:])
