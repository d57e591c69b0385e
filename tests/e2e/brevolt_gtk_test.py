"""The Linux program, driven from outside through its accessibility tree by
tools/test.sh in a D-Bus session on a private display. Every wait ends at a
deadline; none waits a fixed time. What the shared commands write is checked
byte for byte by the page's suite; this one checks what the Linux program
does of its own: layout, boxes, focus, the title bar, files it cannot write."""
import os
import re
import subprocess
import tempfile
import time
import unittest
import warnings

import pyatspi

warnings.simplefilter("ignore", DeprecationWarning)  # pyatspi's own calls

PROGRAM = os.environ["BREVOLT_PROGRAM"]
OPENED = os.environ["BREVOLT_OPENED"]
PACKAGE = os.environ["BREVOLT_PACKAGE"]
DEADLINE_SECONDS = 20

INITIAL_OUTPUT = "Buy Script Output"
QUIT, GENERATE, ABOUT, SAVE_CONFIG, PRIMARY_AMMO, OUTPUT, LINK = 5, 6, 7, 9, 12, 28, 29
# Motif hint bits of what the title bar offers.
FUNCTIONS_ALL, FUNCTION_MINIMISE, FUNCTION_MAXIMISE, FUNCTION_CLOSE = 1, 8, 16, 32
DECORATIONS_ALL, DECORATION_MENU, DECORATION_MINIMISE, DECORATION_MAXIMISE = 1, 16, 32, 64

# Gadget number = creation order = place among the window's children: role,
# text, and the rectangle in the window. GTK grows a widget whose caption does
# not fit, so a matching size also says the caption fits. Combo boxes:
# (entries, left, top, width); closed, as high as the font.
LAYOUT = [
    ("panel", "Primary Weapon", 5, 5, 240, 80), ("panel", "Secondary Weapon", 5, 95, 240, 80),
    ("panel", "Items", 5, 185, 240, 80), ("panel", "Armor", 5, 275, 120, 40),
    ("panel", "Key Press", 125, 275, 120, 40), ("push button", "Quit", 5, 365, 80, 25),
    ("push button", "Generate", 85, 365, 80, 25), ("push button", "About", 165, 365, 80, 25),
    ("push button", "Add", 45, 390, 80, 25), ("push button", "Save Config", 125, 390, 80, 25),
    ("label", "Choice 1:", 10, 25, 50, 15), ("label", "Choice 2:", 10, 45, 50, 15),
    ("check box", "Primary Ammo", 10, 65, 85, 17), ("label", "Choice 1:", 10, 115, 50, 15),
    ("label", "Choice 2:", 10, 135, 50, 15), ("check box", "Secondary Ammo", 10, 155, 100, 17),
    ("check box", "Flashbang 1", 10, 200, 80, 17), ("check box", "Flashbang 2", 10, 220, 80, 17),
    ("check box", "HE Grenade", 10, 240, 80, 15), ("check box", "Smoke Grenade", 145, 200, 95, 17),
    ("check box", "Nightvision", 145, 220, 70, 17), ("check box", "Defusal Kit", 145, 240, 70, 17),
    ("combo box", 19, 60, 20, 100), ("combo box", 19, 60, 40, 100),
    ("combo box", 7, 60, 110, 100), ("combo box", 7, 60, 130, 100),
    ("combo box", 3, 10, 290, 100), ("combo box", 100, 130, 290, 100),
    ("text", INITIAL_OUTPUT, 5, 315, 240, 40), ("panel", "Oskerand", 90, 416, 70, 15),
    ("panel", "Freeware: share it freely", 50, 432, 150, 15),
]
WINDOW_TITLE = 'Brevolt by "Oskerand" v1.1, Build 4'


def wait_until(what, probe):
    """probe's first true answer; accessible objects may vanish while read."""
    end = time.monotonic() + DEADLINE_SECONDS
    while True:
        try:
            answer = probe()
        except Exception:  # pylint: disable=broad-except
            answer = None
        if answer:
            return answer
        if time.monotonic() > end:
            raise AssertionError("gave up waiting for " + what)
        time.sleep(0.05)


def text_of(accessible):
    if accessible.getRoleName() == "text":
        return accessible.queryText().getText(0, -1)
    return accessible.name or (accessible[0].name if accessible.childCount else "")


def x_window(pid, title="^Brevolt by "):
    search = ["xdotool", "search", "--all", "--pid", str(pid), "--name", title]
    found = subprocess.run(search, capture_output=True, text=True, check=True)
    return int(found.stdout.split()[0])


def window_icons(window):
    """The window's icons by size, each as rows of ARGB values."""
    numbers = subprocess.run(["xprop", "-id", str(window), "-notype", "32c", "_NET_WM_ICON"],
                             capture_output=True, text=True).stdout
    values = [int(value) for value in re.findall(r"\d+", numbers.partition("=")[2])]
    icons = {}
    while len(values) >= 2:
        width, height = values[:2]
        icons[width, height] = values[2:2 + width * height]
        values = values[2 + width * height:]
    return icons


def png_argb(path):
    rgba = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True,
                          check=True).stdout
    return [r << 16 | g << 8 | b | a << 24 for r, g, b, a in zip(*[iter(rgba)] * 4)]


def state_of(accessible):
    """Read afresh: a cached state may lag behind the program."""
    accessible.clear_cache()
    return accessible.getState()


def read_file(path, mode="r"):
    with open(path, mode) as file:
        return file.read()


def shows_hover_blue(box):
    area = "%dx%d+%d+%d" % (box.width, box.height, box.x, box.y)
    shot = subprocess.run(["import", "-window", "root", "-crop", area, "-depth", "8", "txt:-"],
                          capture_output=True, text=True).stdout
    return any(int(colour[4:], 16) > 200 and int(colour[:2], 16) < 100
               for colour in re.findall(r"#([0-9A-F]{6})", shot))


def setUpModule():
    # Brings up the accessibility bus and its registry, so that the program
    # finds them when it starts and registers.
    pyatspi.Registry.getDesktop(0).childCount  # pylint: disable=expression-not-assigned


class BrevoltTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.addCleanup(self.work.cleanup)
        self.program = subprocess.Popen([PROGRAM], cwd=self.work.name,
                                        env=self.program_environment())
        self.addCleanup(self.end_program)
        self.app = wait_until("the program on the accessibility bus", self.find_application)
        self.window = wait_until("the window", lambda: self.window_with_role("frame"))
        self.gadgets = wait_until("31 gadgets",
                                  lambda: self.window[0].childCount == 31 and self.window[0])

    def program_environment(self):
        """Settings of the test's own; web addresses go to the recording xdg-open."""
        home = os.path.join(self.work.name, "home")
        os.makedirs(os.path.join(home, "applications"))
        with open(os.path.join(home, "applications", "browser.desktop"), "w") as entry:
            entry.write("[Desktop Entry]\nType=Application\nName=Browser\nExec=xdg-open %u\n")
        with open(os.path.join(home, "mimeapps.list"), "w") as defaults:
            defaults.write("[Default Applications]\nx-scheme-handler/http=browser.desktop\n")
        return dict(os.environ, XDG_DATA_HOME=home, XDG_CONFIG_HOME=home)

    def end_program(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()

    def find_application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        return next((app for app in desktop if app and app.get_process_id() == self.program.pid),
                    None)

    def window_with_role(self, role):
        self.app.clear_cache()
        return next((window for window in self.app if window.getRoleName() == role), None)

    def gadget(self, number):
        return self.gadgets[number]

    def press(self, number):
        self.gadget(number).queryAction().doAction(0)

    def dismiss_box(self, title, text):
        def box_saying():
            box = self.window_with_role("alert")
            labels = pyatspi.findAllDescendants(box, lambda a: a.getRoleName() == "label")
            return text in [label.name for label in labels] and box
        box = wait_until("a box saying " + text, box_saying)
        # The box's accessible name tells its kind; its title is on the screen.
        titled = subprocess.run(["xdotool", "search", "--name", "^%s$" % title],
                                capture_output=True)
        self.assertEqual(titled.returncode, 0, "no window titled " + title)
        ok = pyatspi.findDescendant(box, lambda a: a.getRoleName() == "push button")
        ok.queryAction().doAction(0)
        wait_until("the box to go", lambda: self.window_with_role("alert") != box)

    def sensitive(self, number):
        return state_of(self.gadget(number)).contains(pyatspi.STATE_SENSITIVE)

    def key(self, keys, window_title="^Brevolt by "):
        """Real key presses, to the window given the keyboard."""
        window = str(x_window(self.program.pid, window_title))
        subprocess.run(["xdotool", "windowfocus", "--sync", window, "key"] + keys.split(),
                       check=True)

    def focused(self):
        return next((number for number in range(31)
                     if state_of(self.gadget(number)).contains(pyatspi.STATE_FOCUSED)), None)

    def quit_with_exit_code_zero(self):
        self.press(QUIT)
        self.assertEqual(self.program.wait(DEADLINE_SECONDS), 0)

    def test_window_as_first_seen(self):
        self.assertEqual(self.window.name, WINDOW_TITLE)
        screen = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True)
        width, height = map(int, screen.stdout.split())
        frame = self.window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.assertEqual((frame.x, frame.y, frame.width, frame.height),
                         ((width - 250) // 2, (height - 449) // 2, 250, 449))
        for number, (role, text, *rectangle) in enumerate(LAYOUT):
            gadget = self.gadget(number)
            with self.subTest(gadget=number):
                self.assertEqual(gadget.getRoleName(), role)
                box = gadget.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
                if role == "combo box":
                    self.assertEqual((gadget.name, gadget[0].childCount), ("< none >", text))
                    self.assertEqual([box.x, box.y, box.width], rectangle)
                    self.assertLessEqual(box.height, 21)
                else:
                    self.assertEqual(text_of(gadget), text)
                    self.assertEqual([box.x, box.y, box.width, box.height], rectangle)
        self.assertFalse(state_of(self.gadget(OUTPUT)).contains(pyatspi.STATE_EDITABLE))
        self.quit_with_exit_code_zero()

    def test_files_that_cannot_be_written_or_created_are_reported_in_order(self):
        os.symlink("/dev/full", os.path.join(self.work.name, "autoexec.cfg"))
        os.mkdir(os.path.join(self.work.name, "buyscript.cfg"))
        self.press(SAVE_CONFIG)
        self.dismiss_box("Error", 'Can\'t write "autoexec.cfg"!')
        self.dismiss_box("Error", 'Can\'t create "buyscript.cfg"!')
        self.quit_with_exit_code_zero()

    def test_about_blocks_the_window_and_a_close_request_meanwhile_ends_after_ok(self):
        self.press(ABOUT)
        wait_until("the window blocked",
                   lambda: self.window_with_role("alert") and not self.sensitive(GENERATE))
        self.dismiss_box("About Men\u00fc", "Brevolt (c) 2007 by Oskerand\n\n" + "-" * 40 +
                         "\nE-mail: oskerand@oskerand.example\nHome page: www.oskerand.example\n"
                         "Brevolt page: www.brevolt.example\n" + "-" * 40)
        wait_until("the window usable again", lambda: self.sensitive(GENERATE))
        self.press(ABOUT)
        wait_until("the About box", lambda: self.window_with_role("alert"))
        # The box's Return comes through the same display connection, after Alt+F4.
        self.key("alt+F4")
        self.key("Return", "^About")
        self.assertEqual(self.program.wait(DEADLINE_SECONDS), 0)

    def test_tab_and_shift_tab_follow_creation_order(self):
        # Nothing has the focus at first. Ctrl+Tab moves nothing, so the
        # Shift+Tab after it goes back from Generate to Quit.
        steps = [("shift+Tab", OUTPUT), ("Tab", QUIT), ("Tab", GENERATE),
                 ("ctrl+Tab shift+Tab", QUIT), ("Tab Tab Tab Tab", SAVE_CONFIG),
                 ("Tab", PRIMARY_AMMO), ("shift+Tab", SAVE_CONFIG)]
        for keys, expected in steps:
            self.key(keys)
            wait_until("gadget %d focused after %s" % (expected, keys),
                       lambda: self.focused() == expected)
        self.quit_with_exit_code_zero()

    def test_title_bar_offers_no_window_menu_close_or_minimise_box(self):
        hints = subprocess.run(["xprop", "-id", str(x_window(self.program.pid)), "_MOTIF_WM_HINTS"],
                               capture_output=True, text=True, check=True).stdout
        flags, functions, decorations = (int(v, 16) for v in hints.split("=")[1].split(",")[:3])
        self.assertEqual(flags & 3, 3, "functions and decorations are both declared")
        offered = (FUNCTIONS_ALL | FUNCTION_MINIMISE | FUNCTION_MAXIMISE | FUNCTION_CLOSE)
        self.assertEqual(functions & offered, 0)
        shown = DECORATIONS_ALL | DECORATION_MENU | DECORATION_MINIMISE | DECORATION_MAXIMISE
        self.assertEqual(decorations & shown, 0)
        self.quit_with_exit_code_zero()

    def test_link_shows_its_hover_colour_and_opens_the_author_page(self):
        # The record is shared with the Windows tests: start and leave it empty.
        forget = lambda: os.path.exists(OPENED) and os.remove(OPENED)
        forget()
        self.addCleanup(forget)
        self.addCleanup(subprocess.run, ["xdotool", "mousemove", "0", "0"])  # off later windows
        link = self.gadget(LINK).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(link.x + link.width // 2),
                        str(link.y + link.height // 2)], check=True)
        wait_until("the hover colour", lambda: shows_hover_blue(link))
        subprocess.run(["xdotool", "click", "1"], check=True)
        wait_until("the page handed to xdg-open",
                   lambda: "http://www.oskerand.example" in read_file(OPENED).split())
        self.quit_with_exit_code_zero()

class InstalledProgramTest(unittest.TestCase):
    def test_the_package_starts_as_its_desktop_entry_says_with_title_and_icon(self):
        root = tempfile.TemporaryDirectory()
        self.addCleanup(root.cleanup)
        subprocess.run(["dpkg-deb", "-x", PACKAGE, root.name], check=True)
        share = os.path.join(root.name, "usr", "share")
        entries = os.path.join(share, "applications")
        entry = read_file(os.path.join(entries, os.listdir(entries)[0]))
        command = re.search("^Exec=(.*)$", entry, re.M).group(1).split()
        icon = re.search("^Icon=(.*)$", entry, re.M).group(1)
        path = os.path.join(root.name, "usr", "bin") + os.pathsep + os.environ["PATH"]
        program = subprocess.Popen(command, cwd=root.name, env=dict(
            os.environ, PATH=path, XDG_DATA_DIRS=share + os.pathsep + "/usr/share"))
        self.addCleanup(program.wait)
        self.addCleanup(program.kill)
        window = wait_until("the window", lambda: x_window(program.pid, "^%s$" % re.escape(WINDOW_TITLE)))
        theme_icon = os.path.join(share, "icons", "hicolor", "48x48", "apps", icon + ".png")
        shown = wait_until("the window icon", lambda: window_icons(window).get((48, 48)))
        # Premultiplied on the way, so translucent edges may round a little.
        channels = lambda pixels: [pixel >> shift & 255 for pixel in pixels
                                   for shift in (0, 8, 16, 24)]
        differences = map(lambda a, b: abs(a - b), channels(shown), channels(png_argb(theme_icon)))
        self.assertLessEqual(max(differences), 8)


if __name__ == "__main__":
    unittest.main()
