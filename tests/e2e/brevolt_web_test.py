"""The page (brevolt.html), opened from file:// in headless chromium and
driven from outside with real mouse and key input by tools/test.sh. Every
test has a browser and a profile of its own; every wait ends at a deadline."""
import json
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from chromium import CTRL, PRIVATE_FOLDER, SHIFT, Chromium  # noqa: E402

PAGE = os.environ["BREVOLT_PAGE"]
EXPECTED = os.environ["BREVOLT_EXPECTED"]

INITIAL_OUTPUT = "Buy Script Output"
NOTHING_SELECTED_LINE = '"ERROR:" Nothing is selected!'
QUIT, GENERATE, ABOUT, ADD, SAVE_CONFIG, PRIMARY_AMMO, OUTPUT, LINK = 5, 6, 7, 8, 9, 12, 28, 29
PICKED_COMBOS = [27, 22, 23, 24, 25, 26]  # key, primary 1 and 2, secondary 1 and 2, armour
PICKED_CHECKS = [12, 15, 16, 17, 18, 19, 20, 21]
# Each gadget's rectangle in the client area, by number; combo boxes closed.
RECTANGLES = [
    (5, 5, 240, 80), (5, 95, 240, 80), (5, 185, 240, 80), (5, 275, 120, 40), (125, 275, 120, 40),
    (5, 365, 80, 25), (85, 365, 80, 25), (165, 365, 80, 25), (45, 390, 80, 25), (125, 390, 80, 25),
    (10, 25, 50, 15), (10, 45, 50, 15), (10, 65, 85, 17), (10, 115, 50, 15), (10, 135, 50, 15),
    (10, 155, 100, 17), (10, 200, 80, 17), (10, 220, 80, 17), (10, 240, 80, 15), (145, 200, 95, 17),
    (145, 220, 70, 17), (145, 240, 70, 17), (60, 20, 100, 21), (60, 40, 100, 21),
    (60, 110, 100, 21), (60, 130, 100, 21), (10, 290, 100, 21), (130, 290, 100, 21),
    (5, 315, 240, 40), (90, 416, 70, 15), (50, 432, 150, 15)]
WINDOW = '[data-window="0"]'
SHOWN = "!!document.querySelector('%s [data-gadget=\"30\"]')?.getClientRects().length" % WINDOW
BOX = "document.querySelector('dialog[open]')"
# Whole captions: each text on one line inside its gadget's box; a weapon's or
# the armour's name inside its select, less the room its arrow takes.
CUT_CAPTIONS = """[...document.querySelectorAll('[data-gadget]')].flatMap(gadget => {
  const box = gadget.getBoundingClientRect(), select = gadget.closest('select') ||
    gadget.querySelector('select');
  if (select) {
    const style = getComputedStyle(select), measure = document.createElement('canvas').getContext('2d');
    measure.font = style.font;
    const room = select.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    return select.options.length > 19 ? [] : [...select.options].map(o => o.text)
      .filter(text => measure.measureText(text).width > room);
  }
  const texts = document.createTreeWalker(gadget, NodeFilter.SHOW_TEXT), cut = [];
  for (let text; (text = texts.nextNode());) {
    const range = document.createRange();
    range.selectNodeContents(text);
    const lines = [...range.getClientRects()];
    if (text.data.trim() && !gadget.matches('textarea') && (lines.length !== 1 ||
        lines[0].left < box.left || lines[0].right > box.right)) cut.push(text.data);
  }
  return cut;
})"""
FOLDER_FILES = """(async () => {
  const folder = await navigator.storage.getDirectory(), files = [];
  for (const name of ['autoexec.cfg', 'buyscript.cfg']) {
    const file = await folder.getFileHandle(name).then(handle => handle.getFile()).catch(() => null);
    files.push(file && [...new Uint8Array(await file.arrayBuffer())]);
  }
  return files;
})()"""
# A page from file:// has an opaque origin, and so no private file system, unless
FOLDER_FLAGS = ["--allow-file-access-from-files"]
# The chosen folder refuses to create files while self.refusing holds.
REFUSING_FOLDER = """self.refusing = true;
self.showDirectoryPicker = async () => new Proxy(await navigator.storage.getDirectory(), {
  get: (folder, key) => key === 'getFileHandle' && self.refusing
    ? async () => { throw new DOMException('refused', 'NotAllowedError'); }
    : typeof folder[key] === 'function' ? folder[key].bind(folder) : folder[key]});"""


def gadget(number):
    return '[data-gadget="%d"]' % number


def control(number):
    """The form control of a gadget: the element itself or the one inside it."""
    return ("(g => g.matches('button, input, select, textarea') ? g : g.querySelector('button, "
            "input, select, textarea'))(document.querySelector('%s'))" % gadget(number))


def expected_file(name, lines=()):
    with open(os.path.join(EXPECTED, name), "rb") as file:
        return file.read() + b"".join(line.encode("cp1252") + b"\r\n" for line in lines)


class PageTest(unittest.TestCase):
    def open_page(self, *scripts, flags=()):
        self.browser = Chromium(*flags)
        self.addCleanup(self.browser.close)
        self.downloads = tempfile.mkdtemp(dir=self.browser.profile)
        self.browser.allow_downloads(self.downloads)
        for script in scripts:
            self.browser.add_script(script)
        self.browser.navigate(PAGE)
        self.browser.wait_for(SHOWN)

    def js(self, expression):
        return self.browser.evaluate(expression)

    def click(self, number):
        self.browser.click(gadget(number))

    def pick(self, combos=(), checks="00000000"):
        """Combo entries by arrow keys on the focused select, check boxes by clicks."""
        for number, text in zip(PICKED_COMBOS, list(combos) + [""] * 6):
            select = control(number)
            wanted = self.js("[...%s.options].findIndex(o => o.text === %s)" % (
                select, json.dumps(text or "< none >")))
            self.js(select + ".focus()")
            moves = wanted - self.js(select + ".selectedIndex")
            for _ in range(abs(moves)):
                self.browser.key("ArrowDown" if moves > 0 else "ArrowUp")
            self.browser.wait_for("%s.selectedIndex === %d" % (select, wanted))
        for number, wanted in zip(PICKED_CHECKS, checks):
            if self.js(control(number) + ".checked") != (wanted == "1"):
                self.click(number)
            self.browser.wait_for("%s.checked === %s" % (control(number), json.dumps(wanted == "1")))

    def wait_output(self, expected):
        self.browser.wait_for("%s.value === %s" % (control(OUTPUT), json.dumps(expected)))

    def dismiss_box(self, *texts):
        """Waits for the box showing all of texts and presses its OK with the mouse."""
        showing = " && ".join("%s?.innerText.includes(%s)" % (BOX, json.dumps(text))
                              for text in texts)
        self.browser.wait_for(showing)
        self.browser.click("dialog[open] button")
        self.browser.wait_for("!(%s)" % showing)

    def choose_folder(self):
        self.browser.click('[data-action="choose-folder"]')
        self.browser.wait_for("document.body.innerText.includes('Saving into')")

    def wait_folder_files(self, lines):
        """Waits for both files in the chosen folder, buyscript.cfg with lines."""
        expected = [list(expected_file("autoexec.cfg")), list(expected_file("buyscript.cfg", lines))]
        self.browser.wait_for("(%s).then(files => JSON.stringify(files) === %s)" % (
            FOLDER_FILES, json.dumps(json.dumps(expected, separators=(",", ":")))))

    def only_the_page_itself_was_asked_for(self):
        self.assertEqual([url for url in self.browser.requested_urls()
                          if url.split(":")[0] not in ("file", "data", "blob")], [])

    def test_window_as_first_seen_asks_for_nothing_but_itself(self):
        self.open_page()
        self.assertEqual(self.js("document.title"), 'Brevolt by "Oskerand" v1.1, Build 4')
        client = self.browser.box(WINDOW)
        self.assertEqual((client["width"], client["height"]), (250, 449))
        self.assertEqual(client["x"] * 2 + 250, self.js("document.documentElement.clientWidth"))
        places = self.js("""[...Array(31).keys()].map(n => {
          const client = document.querySelector('%s').getBoundingClientRect(),
                box = document.querySelector(`[data-gadget="${n}"]`).getBoundingClientRect();
          return [box.x - client.x, box.y - client.y, box.width, box.height].map(Math.round);
        })""" % WINDOW)
        self.assertEqual([tuple(place) for place in places], RECTANGLES)
        self.assertEqual(self.js(CUT_CAPTIONS), [])
        self.assertTrue(self.js("%s.readOnly" % control(OUTPUT)))
        self.only_the_page_itself_was_asked_for()

    def test_generate_shows_exactly_the_current_picks(self):
        self.open_page()
        cases = [
            (("Key Pad Enter", "AK47", "M4A1", "Glock", "Dual Elites", "Kevlar & Helmet"),
             "11111111",
             'bind "kp_enter" "buy ak47; buy m4a1; buy primammo; buy glock; buy elite; '
             'buy secammo; buy vesthelm; buy flashbang; buy flashbang; buy hegrenade; '
             'buy smokegrenade; buy nvgs; buy defuser"'),
            (("Backslash",), "00000000", 'bind "\\" ""'),
            (("", "", "AWP"), "00100000", ' "buy awp; buy flashbang"'),
            ((), "00000000", NOTHING_SELECTED_LINE),
        ]
        for combos, checks, expected in cases:
            self.pick(combos, checks)
            self.click(GENERATE)
            self.wait_output(expected)

    def test_add_and_save_config_download_both_files_byte_for_byte(self):
        self.open_page()
        first = 'bind "q" "buy m4a1; buy primammo"'
        self.click(ADD)  # before any Generate: the first text is kept too
        self.click(GENERATE)
        self.wait_output(NOTHING_SELECTED_LINE)
        self.click(ADD)
        self.pick(("Q", "M4A1"), "10000000")
        self.click(GENERATE)
        self.wait_output(first)
        self.click(ADD)
        self.click(ADD)  # a click right after another is not lost
        self.click(SAVE_CONFIG)
        self.assertEqual(self.browser.wait_downloads(2), ["autoexec.cfg", "buyscript.cfg"])
        for name, lines in (("autoexec.cfg", []), ("buyscript.cfg", [
                INITIAL_OUTPUT, NOTHING_SELECTED_LINE, first, first])):
            with open(os.path.join(self.downloads, name), "rb") as file:
                self.assertEqual(file.read(), expected_file(name, lines))
        self.only_the_page_itself_was_asked_for()

    def test_about_holds_the_window_until_enter_escape_or_ok(self):
        self.open_page()
        for ending in ("Enter", "Escape", "OK"):
            self.click(ABOUT)
            self.browser.wait_for(BOX)
            self.assertIn("About Men\u00fc", self.js(BOX + ".innerText"))
            self.assertIn("E-mail: oskerand@oskerand.example\nHome page: www.oskerand.example",
                          self.js(BOX + ".innerText"))
            self.click(PRIMARY_AMMO)  # the window behind takes no click, and keeps OK's keys
            if ending == "OK":
                self.browser.click("dialog[open] button")
            else:
                self.browser.key(ending)
            self.browser.wait_for("!" + BOX)
        self.assertFalse(self.js(control(PRIMARY_AMMO) + ".checked"))
        # Generate, clicked in the same turn as About, comes out after the box.
        self.js("%s.click(); %s.click()" % (control(ABOUT), control(GENERATE)))
        self.browser.wait_for(BOX)
        self.assertEqual(self.js(control(OUTPUT) + ".value"), INITIAL_OUTPUT)
        self.browser.key("Enter")
        self.wait_output(NOTHING_SELECTED_LINE)

    def test_link_opens_the_author_page_in_a_new_tab(self):
        self.open_page()
        self.click(LINK)
        self.assertTrue(self.browser.wait_new_tab().startswith("http://www.oskerand.example"))

    def test_tab_and_shift_tab_follow_creation_order_and_wrap(self):
        # Nothing has the focus at first; Ctrl+Tab moves nothing.
        self.open_page()
        steps = [("shift+Tab", OUTPUT), ("Tab", QUIT), ("Tab", GENERATE),
                 ("ctrl+Tab shift+Tab", QUIT), ("Tab Tab Tab Tab", SAVE_CONFIG),
                 ("Tab", PRIMARY_AMMO), ("shift+Tab", SAVE_CONFIG)]
        for keys, expected in steps:
            for key in keys.split():
                *modifiers, name = key.split("+")
                self.browser.key(name, sum({"shift": SHIFT, "ctrl": CTRL}[m] for m in modifiers))
            self.browser.wait_for("document.activeElement.closest('[data-gadget]')?.dataset.gadget"
                                  " === '%d'" % expected)

    def test_quit_ends_the_program_and_it_starts_again(self):
        self.open_page()
        self.click(QUIT)
        self.browser.wait_for("!(%s)" % SHOWN)
        self.assertIn("Brevolt has ended", self.js("document.body.innerText"))
        self.browser.click('[data-action="restart"]')
        self.browser.wait_for(SHOWN)
        self.click(GENERATE)
        self.wait_output(NOTHING_SELECTED_LINE)

    def test_save_into_the_chosen_folder_replaces_both_files(self):
        self.open_page(PRIVATE_FOLDER, flags=FOLDER_FLAGS)
        self.choose_folder()
        for lines in ([INITIAL_OUTPUT], [INITIAL_OUTPUT] * 2):
            self.click(ADD)
            self.click(SAVE_CONFIG)
            self.wait_folder_files(lines)
        self.assertEqual(self.browser.event_params("Browser.downloadWillBegin"), [])

    def test_a_folder_that_refuses_files_shows_both_boxes_in_order_and_keeps_the_list(self):
        self.open_page(REFUSING_FOLDER, flags=FOLDER_FLAGS)
        self.choose_folder()
        self.click(ADD)
        self.click(SAVE_CONFIG)
        self.dismiss_box("Error", 'Can\'t create "autoexec.cfg"!')
        self.dismiss_box("Error", 'Can\'t create "buyscript.cfg"!')
        self.js("self.refusing = false")
        self.click(SAVE_CONFIG)
        self.wait_folder_files([INITIAL_OUTPUT])


if __name__ == "__main__":
    unittest.main()
