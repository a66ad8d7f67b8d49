"""What every browser test shares: the server of the built page, a headless Chromium, waiting, and
PageCase: a page loaded afresh for every test, with the helpers that play it.

A test module sets SITE (the built page's folder) from its command line before it starts a Server.
"""

import io
import os
import socket
import subprocess
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    def __init__(self, folder, port=None):
        self.port = port or free_port()  # the same port again: the same origin, with its service worker
        self.process = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(ROOT, "scripts/lib/serve.py"), folder, str(self.port)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        line = self.process.stdout.readline()
        if "http://127.0.0.1" not in line:
            self.stop()
            raise RuntimeError(f"the server did not start: {line}")
        self.url = f"http://127.0.0.1:{self.port}/"

    def stop(self):
        """Stops the server; returns what it printed."""
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        with self.process.stdout:
            return self.process.stdout.read()


def start_browser(scale, extra=()):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1280,900", f"--force-device-scale-factor={scale}",
                     "--disable-background-timer-throttling", "--hide-scrollbars", *extra):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"waited {seconds} s for {what}")


SITE = None  # the built page's folder, set by run()

# The layout, in CSS pixels of a window's client area (an independent copy of the designed numbers).
CELL = 292  # Int(5850 / 20) twips
GAME_W, GAME_H = 6300 / 15, 6480 / 15
FORM2_W, FORM2_H = 5790 / 15, 3375 / 15
WELL_RIGHT = (12 * CELL + 60) / 15
PANEL_LEFT = (17 * CELL - 2175 / 2) / 15
BACKGROUND = ((WELL_RIGHT + PANEL_LEFT) / 2, GAME_H / 2)
# The well's inside: columns 1 to 10, rows 1 to 20 (cell Left = 50 + cell * column + the border).
WELL_INSIDE = (50 + CELL) / 15, (50 + CELL) / 15, (50 + 11 * CELL) / 15, (50 + 21 * CELL) / 15
YELLOW = (255, 255, 0)


class PageQueries:
    """What a test asks of the page in its browser (`self.driver`)."""

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def window(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-window="{name}"]')

    def shown(self, name):
        return self.window(name).get_attribute("hidden") is None

    def ticks(self, timer=None):
        """The ticks the game's clock delivered: of one timer (1 to 3), or of all three."""
        return self.js("return blokkoPage.stats().then((s) => arguments[0] ? s.ticks[arguments[0]] : "
                       "s.ticks[1] + s.ticks[2] + s.ticks[3])", timer)

    def layer(self, script, window="Blokko", layer=0, *args):
        """Runs `script` on a copy of a window's canvas layer as the game drew it (`canvas`), with `args`
        from arguments[2] on; returns what it returns."""
        return self.js("return blokkoPage.layer(arguments[0], arguments[1]).then((canvas) => {" + script + "})",
                       window, layer, *args)


class PageCase(PageQueries):
    """Mixed into a unittest.TestCase: one server and browser per class (at device scale factor SCALE),
    the page loaded afresh for each test, which fails on any console error."""

    SCALE = 1
    server = None
    driver = None

    @classmethod
    def setUpClass(cls):
        cls.server = Server(SITE)
        cls.driver = start_browser(cls.SCALE)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    def setUp(self):
        self.driver.get(self.server.url)
        wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame")
        self.driver.get_log("browser")  # nothing before this load counts

    def tearDown(self):
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [], "console errors")

    def shown_buttons(self, caption):
        """The shown buttons of the windows named `caption`, whatever lines it is broken into."""
        return self.js("""return [...document.querySelectorAll('[data-window] button')].filter((b) =>
            (b.getAttribute('aria-label') || b.textContent).replace(/\\s+/g, ' ').trim() === arguments[0] &&
            b.checkVisibility())""", caption)

    def label(self, prefix, window="Blokko"):
        """The text of the one label of a window that starts with `prefix`, as screen readers get it."""
        texts = self.js("""return [...document.querySelectorAll(`[data-window="${arguments[0]}"] [data-label]`)]
            .map((p) => p.textContent)""", window)
        found = [t for t in texts if t.startswith(prefix)]
        self.assertEqual(len(found), 1, f"one label {prefix}... in {texts}")
        return found[0]

    def screenshot(self, name):
        """A window's picture as shown, and where its client area starts in it (CSS pixels)."""
        element = self.window(name)
        shot = Image.open(io.BytesIO(element.screenshot_as_png)).convert("RGB")
        offset = self.js("""
            const s = getComputedStyle(arguments[0]);
            return [parseFloat(s.borderLeftWidth) + parseFloat(s.paddingLeft),
                    parseFloat(s.borderTopWidth) + parseFloat(s.paddingTop)]""", element)
        return shot, offset

    def pixel(self, shot, x, y):
        image, (ox, oy) = shot
        return image.getpixel((int((ox + x) * self.SCALE), int((oy + y) * self.SCALE)))

    def scroll_value(self):
        return int(self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"]').get_attribute("aria-valuenow"))

    def assert_scroll_value(self, value):
        # The page shows a new value at its next frame.
        wait_for(lambda: self.scroll_value() == value, 2, f"the scroll bar at {value}")

    def curtain_open(self):
        shot = self.screenshot("Blokko")
        x = BACKGROUND[0]
        return all(self.pixel(shot, x, y) == YELLOW for y in (1, BACKGROUND[1], GAME_H - 2))

    def start_game(self, steps_right):
        scroll_bar = self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"]')
        self.assertEqual(self.driver.switch_to.active_element, scroll_bar, "the scroll bar has the focus")
        for _ in range(steps_right):
            ActionChains(self.driver).send_keys(Keys.ARROW_RIGHT).perform()
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        wait_for(lambda: self.shown("Blokko"), 5, "the game window")

    def piece_box(self):
        """Bounding box, in CSS pixels from the top left of the well's inside, of the falling piece: the
        first band of rows from the top of the well that are not all yellow, while that band lies wholly
        inside the upper half of the well (the pieces that came before rest lower, below yellow rows)."""
        image, (ox, oy) = self.screenshot("Blokko")
        left, top, right, bottom = (int(round((v + o) * self.SCALE)) for v, o in zip(WELL_INSIDE, (ox, oy, ox, oy)))
        half = top + (bottom - top) // 2
        pixels = image.load()
        step = max(1, int(self.SCALE))
        xs, ys = [], []
        for y in range(top + step, half + 1, step):
            row = [x for x in range(left + step, right - step, step) if pixels[x, y] != YELLOW]
            if not row and ys:
                break  # the end of the band
            xs += row
            ys += [y] * len(row)
        if not xs or max(ys) >= half or min(ys) <= top + step:
            return None
        return tuple((v - o) / self.SCALE for v, o in zip((min(xs), min(ys), max(xs) + 1, max(ys) + 1),
                                                          (left, top, left, top)))

    def after_key(self, key, check, what, ready=lambda box: True):
        """Presses a key while a piece falls in the upper half of the well, once ready(box) holds for
        its box, and waits for check(before, after) to hold; tries again with a later piece if this one
        falls too low first."""
        for _ in range(6):
            before = wait_for(lambda: (box := self.piece_box()) and ready(box) and box, 15,
                              "a falling piece in the upper half of the well")
            ActionChains(self.driver).send_keys(key).perform()
            while (after := self.piece_box()) is not None:
                if check(before, after):
                    return
        raise AssertionError(f"{what}: not seen with six pieces")


def run(argv):
    """Runs the unittest cases of the calling module on the folder named by argv[1]; returns the exit status."""
    import sys
    import unittest
    folder = os.path.abspath(argv.pop(1))
    main = sys.modules["__main__"]
    main.SITE = folder
    global SITE
    SITE = folder
    program = unittest.main(module=main, verbosity=2, exit=False)
    result = program.result
    failed = len(result.failures) + len(result.errors)
    print(f"{os.path.basename(argv[0])}: {result.testsRun - failed} passed, {failed} failed")
    return 0 if result.wasSuccessful() and result.testsRun > 0 else 1


class BrowserCase(unittest.TestCase):
    """One headless Chromium at device scale factor 1 for all the tests of a class."""

    driver = None

    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser(1)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
