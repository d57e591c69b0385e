"""The page, opened from file:// in headless chromium and used from outside with
real mouse and key input (tools/test.sh). Each test has a browser of its own."""
import json
import os
import re
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import CTRL, SHIFT, Chromium  # noqa: E402

PAGE = os.environ["BREVOLT_PAGE"]
EXPECTED = os.environ["BREVOLT_EXPECTED"]

INITIAL_OUTPUT = "Buy Script Output"
NOTHING_SELECTED_LINE = '"ERROR:" Nothing is selected!'
QUIT, GENERATE, ABOUT, ADD, SAVE_CONFIG, PRIMARY_AMMO, OUTPUT, LINK = 5, 6, 7, 8, 9, 12, 28, 29
PICKED_COMBOS = [27, 22, 23, 24, 25, 26]  # key, primary 1 and 2, secondary 1 and 2, armour
PICKED_CHECKS = [12, 15, 16, 17, 18, 19, 20, 21]
# Each gadget's rectangle in the client area, from the program's own layout
# table; combo boxes closed.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "mainwindow",
                       "main_window.cpp")) as layout:
    RECTANGLES = [(int(x), int(y), int(width), 21 if kind == "COMBO" else int(height))
                  for kind, x, y, width, height in re.findall(
                      r"^\s*\{\w+, KIND_(\w+), (\d+), (\d+), (\d+), (\d+),", layout.read(), re.M)]
# What a screen reader finds in the window: role and name of each control.
CONTROL_ROLES = ("button", "checkbox", "combobox", "group", "link", "textbox")
NAMED = sorted(
    [("group", n) for n in ("Primary Weapon", "Secondary Weapon", "Items", "Armor", "Key Press")]
    + [("button", n) for n in ("Quit", "Generate", "About", "Add", "Save Config")]
    + [("checkbox", n) for n in ("Primary Ammo", "Secondary Ammo", "Flashbang 1", "Flashbang 2",
                                 "HE Grenade", "Smoke Grenade", "Nightvision", "Defusal Kit")]
    + [("combobox", w + ", Choice " + c) for w in ("Primary Weapon", "Secondary Weapon")
       for c in "12"] + [("combobox", "Armor"), ("combobox", "Key Press"),
                          ("textbox", INITIAL_OUTPUT), ("link", "Oskerand")])
SHOWN = ("!!document.querySelector('[data-window=\"0\"] [data-gadget=\"30\"]')"
         "?.getClientRects().length")
BOX = "document.querySelector('dialog[open]')"
# Texts cut or wrapped: each must be one line inside its gadget's box; a
# weapon's or the armour's name inside its select, less the arrow's room.
CUT_CAPTIONS = """[...document.querySelectorAll('[data-gadget]')].flatMap(gadget => {
  const list = gadget.closest('select') || gadget.querySelector('select');
  if (list) {
    const style = getComputedStyle(list), text = document.createElement('canvas').getContext('2d');
    const room = list.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    text.font = style.font;
    return [...list.options].filter(o => list.length < 20 && text.measureText(o.text).width > room);
  }
  const box = gadget.getBoundingClientRect(), texts = document.createTreeWalker(gadget, 4);
  const cut = [];
  for (let node; (node = texts.nextNode()) && !gadget.matches('textarea');) {
    const range = document.createRange();
    range.selectNodeContents(node);
    const lines = range.getClientRects();
    if (node.data.trim() && (lines.length !== 1 || lines[0].left < box.left ||
                             lines[0].right > box.right)) cut.push(node.data);
  }
  return cut;
}).map(cut => cut.text || cut)"""
FOLDER_FILES = """Promise.all(['autoexec.cfg', 'buyscript.cfg'].map(name =>
  navigator.storage.getDirectory().then(folder => folder.getFileHandle(name))
    .then(file => file.getFile()).then(file => file.arrayBuffer())
    .then(bytes => [...new Uint8Array(bytes)].map(b => b.toString(16).padStart(2, '0')).join(''),
          () => '')))"""
# Stands in for the player's folder: the origin's private file system, which
# refuses to create files while self.refusing holds. A page from file:// has
# such a file system only with file access allowed.
FOLDER_FLAGS = ["--allow-file-access-from-files"]
STAND_IN_FOLDER = """self.refusing = true;
self.showDirectoryPicker = async () => new Proxy(await navigator.storage.getDirectory(), {
  get: (folder, key) => key === 'getFileHandle' && self.refusing
    ? async () => { throw new DOMException('refused', 'NotAllowedError'); }
    : typeof folder[key] === 'function' ? folder[key].bind(folder) : folder[key]});"""


def gadget(number):
    return '[data-gadget="%d"]' % number


def control(number):
    """The form control of a gadget: the element itself or the one inside it."""
    return ("(g => g.matches('button, input, select, textarea') ? g : g.querySelector('input, "
            "select'))(document.querySelector('%s'))" % gadget(number))


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
            moves = wanted - self.js("(%s.focus(), %s.selectedIndex)" % (select, select))
            for _ in range(abs(moves)):
                self.browser.key("ArrowDown" if moves > 0 else "ArrowUp")
            self.browser.wait_for("%s.selectedIndex === %d" % (select, wanted))
        for number, wanted in zip(PICKED_CHECKS, checks):
            if self.js(control(number) + ".checked") != (wanted == "1"):
                self.click(number)
            self.browser.wait_for("%s.checked === %s" % (control(number),
                                                        json.dumps(wanted == "1")))

    def wait_output(self, expected):
        self.browser.wait_for("%s.value === %s" % (control(OUTPUT), json.dumps(expected)))

    def dismiss_box(self, text):
        """Waits for the error box saying text and presses its OK with the mouse."""
        showing = "%s?.innerText.includes('Error') && %s.innerText.includes(%s)" % (
            BOX, BOX, json.dumps(text))
        self.browser.wait_for(showing)
        self.browser.click("dialog[open] button")
        self.browser.wait_for("!(%s)" % showing)

    def wait_folder_files(self, lines):
        expected = expected_file("autoexec.cfg").hex() + "," + expected_file("buyscript.cfg",
                                                                              lines).hex()
        self.browser.wait_for("%s.then(files => files.join() === '%s')" % (FOLDER_FILES, expected))

    def test_window_as_first_seen_has_every_caption_whole(self):
        self.open_page()
        self.assertEqual(self.js("document.title"), 'Brevolt by "Oskerand" v1.1, Build 4')
        client = self.browser.box('[data-window="0"]')
        self.assertEqual((client["width"], client["height"]), (250, 449))
        self.assertEqual(client["x"] * 2 + 250, self.js("document.documentElement.clientWidth"))
        places = [self.browser.box(gadget(number)) for number in range(31)]
        self.assertEqual([(round(b["x"] - client["x"]), round(b["y"] - client["y"]),
                           round(b["width"]), round(b["height"])) for b in places], RECTANGLES)
        self.assertEqual(self.js(CUT_CAPTIONS), [])
        self.assertTrue(self.js("%s.readOnly" % control(OUTPUT)))
        tree = self.browser.send("Accessibility.getFullAXTree")["nodes"]
        named = [(n["role"]["value"], n["name"]["value"]) for n in tree
                 if not n["ignored"] and n["role"]["value"] in CONTROL_ROLES]
        # The page's own folder button is not the program's.
        self.assertEqual(sorted(named), sorted(NAMED + [("button", "Save into a folder…")]))

    def test_generated_lines_added_and_saved_as_two_downloads_byte_for_byte(self):
        self.open_page()
        self.click(ADD)  # before any Generate: the first text is kept too
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
            self.click(ADD)
        self.click(ADD)  # a click right after another is not lost
        self.click(SAVE_CONFIG)
        self.assertEqual(self.browser.wait_downloads(2), ["autoexec.cfg", "buyscript.cfg"])
        added = [INITIAL_OUTPUT] + [line for *_, line in cases] + [NOTHING_SELECTED_LINE]
        for name, lines in (("autoexec.cfg", []), ("buyscript.cfg", added)):
            with open(os.path.join(self.downloads, name), "rb") as file:
                self.assertEqual(file.read(), expected_file(name, lines))
        self.assertEqual([url for url in self.browser.requested_urls()
                          if url.split(":")[0] not in ("file", "data", "blob")], [])

    def test_about_holds_the_window_until_enter_escape_or_ok(self):
        self.open_page()
        for end in (lambda: self.browser.key("Enter"), lambda: self.browser.key("Escape"),
                    lambda: self.browser.click("dialog[open] button")):
            self.click(ABOUT)
            self.browser.wait_for(BOX)
            self.assertRegex(self.js(BOX + ".innerText"), "About Men\u00fc(.|\n)*E-mail: oskerand@"
                             "oskerand.example\nHome page: www.oskerand.example")
            self.click(PRIMARY_AMMO)  # the window behind takes no click, and keeps OK's keys
            end()
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

    def test_the_chosen_folder_takes_both_files_and_reports_those_it_refuses(self):
        self.open_page(STAND_IN_FOLDER, flags=FOLDER_FLAGS)
        self.browser.click('[data-action="choose-folder"]')
        self.browser.wait_for("document.body.innerText.includes('Saving into')")
        self.click(ADD)
        self.click(SAVE_CONFIG)
        self.dismiss_box('Can\'t create "autoexec.cfg"!')
        self.dismiss_box('Can\'t create "buyscript.cfg"!')
        self.js("self.refusing = false")  # the list is kept, and a later save succeeds
        self.click(SAVE_CONFIG)
        self.wait_folder_files([INITIAL_OUTPUT])
        self.click(ADD)
        self.click(SAVE_CONFIG)
        self.wait_folder_files([INITIAL_OUTPUT] * 2)  # both replaced
        self.assertEqual(self.browser.event_params("Browser.downloadWillBegin"), [])


if __name__ == "__main__":
    unittest.main()
