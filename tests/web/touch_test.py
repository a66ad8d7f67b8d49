"""The page on devices without a keyboard, in headless Chromium with device emulation: a phone and a
tablet played by touch alone, a narrow landscape phone turned mid-game, and a gamepad.

    /usr/bin/python3 tests/web/touch_test.py BUILD_WEB_FOLDER

Touches go in through the browser's input pipeline (Input.dispatchTouchEvent), as a finger's do. The
well is read from the game window's canvas (its backing store, whatever the window's scale), and every
test fails on a console error or on any moment the page could be scrolled sideways.
"""

import base64
import io
import sys
import time
import unittest

from PIL import Image

from harness import PageCase, Server, start_browser, wait_for, run

SITE = None  # set from the command line

# The game window in twips (an independent copy of the designed numbers): the well's cells, and a
# place between the well and the panel that only the curtain covers, at the top and the bottom.
CELL, WELL_LEFT = 292, 50
CURTAIN_PROBES = ((3720, 15), (3720, 6450))

CONTROLS = {"ArrowLeft": "Shift left", "ArrowRight": "Shift right", "KeyA": "Turn clockwise",
            "KeyS": "Turn counter-clockwise", "ArrowDown": "Hurry", "KeyP": "Pause"}

# Which cells of the well (rows 1 to 20, columns 1 to 10) are not its yellow ground, and whether the
# curtain has opened: read from the bottom canvas layer of the game window, drawn at the device pixel
# ratio times the window's scale.
READ_WELL = """
    const win = document.querySelector('[data-window="Blokko"]');
    if (!canvas || canvas.width === 0)
        return null;
    const k = devicePixelRatio * (parseFloat(win.style.zoom) || 1) / 15;
    // One read of the whole layer: a read per cell made each look take long enough at ratio 3 for pieces
    // to pass unseen and pile up.
    const d = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const yellow = (x, y) => {
        const at = 4 * (Math.floor(y * k) * canvas.width + Math.floor(x * k));
        return d[at] === 255 && d[at + 1] === 255 && d[at + 2] === 0;
    };
    const rows = [];
    for (let r = 1; r <= 20; ++r) {
        const row = [];
        for (let c = 1; c <= 10; ++c)
            row.push(!yellow(arguments[2] + arguments[3] * (c + 0.5), arguments[2] + arguments[3] * (r + 0.5)));
        rows.push(row);
    }
    return { rows, open: arguments[4].every(([x, y]) => yellow(x, y)) };"""


class Device(PageCase):
    """Emulation of one device, touches and what every test reads. The browser starts at ratio 1; the
    emulated device brings its own (SCALE)."""

    WIDTH, HEIGHT, SCALE, MOBILE, TOUCH = 1280, 900, 1, False, False

    @classmethod
    def setUpClass(cls):
        cls.server = Server(SITE)
        cls.driver = start_browser(1)

    def setUp(self):
        self.emulate(self.WIDTH, self.HEIGHT)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=self.TOUCH, maxTouchPoints=5)
        self.scores = []  # of the games that keep_room ended
        super().setUp()

    def emulate(self, width, height):
        self.width = width
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=self.SCALE, mobile=self.MOBILE,
                 screenOrientation={"type": "portraitPrimary" if height > width else "landscapePrimary",
                                    "angle": 0 if height > width else 90})

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    # --- touches -----------------------------------------------------------------------------------

    def box(self, target):
        """The viewport rectangle of an element, or of what a selector finds."""
        r = self.js("""
            const el = typeof arguments[0] === 'string' ? document.querySelector(arguments[0]) : arguments[0];
            return el && el.getBoundingClientRect()""", target)
        self.assertIsNotNone(r, target)
        return r

    def centre(self, target):
        r = self.box(target)
        return r["left"] + r["width"] / 2, r["top"] + r["height"] / 2

    def touch(self, kind, points):
        self.cdp("Input.dispatchTouchEvent", type=kind,
                 touchPoints=[{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)])

    def tap(self, target, at=None):
        """A finger's tap at the centre of an element (or what a selector finds), or `at` CSS pixels from its
        left."""
        self.assert_no_sideways_scroll()
        x, y = self.centre(target)
        if at is not None:
            x = self.box(target)["left"] + at
        self.touch("touchStart", [(x, y)])
        self.touch("touchEnd", [])

    def hold(self, selectors, seconds):
        """Several fingers down at once, each on its own control, held, then lifted."""
        self.touch("touchStart", [self.centre(s) for s in selectors])
        time.sleep(seconds)
        self.touch("touchEnd", [])

    def drag(self, selector, dx, dy=0, steps=6):
        x, y = self.centre(selector)
        self.touch("touchStart", [(x, y)])
        for i in range(1, steps + 1):
            self.touch("touchMove", [(x + dx * i / steps, y + dy * i / steps)])
        self.touch("touchEnd", [])

    def control(self, code):
        return f'button[data-key="{code}"]'

    # --- what the page shows -----------------------------------------------------------------------

    def assert_no_sideways_scroll(self):
        width, scroll_width, scroll_x = self.js(
            "return [innerWidth, document.scrollingElement.scrollWidth, scrollX]")
        self.assertEqual(width, self.width, "the layout viewport is the device's width")
        self.assertLessEqual(scroll_width, width, "nothing reaches past the viewport's right edge")
        self.assertEqual(scroll_x, 0)

    def tap_button(self, caption):
        self.tap(self.shown_buttons(caption)[0])

    def score(self):
        return int(self.label("Score:")[len("Score:"):])

    def well(self):
        return self.layer(READ_WELL, "Blokko", 0, WELL_LEFT, CELL, CURTAIN_PROBES)

    def piece(self):
        """The falling piece as (top row, bottom row, left column, right column) of the first band of
        rows from the top of the open well that are not all ground, while it lies in the upper half."""
        well = self.well()
        if not well or not well["open"]:
            return None
        rows = well["rows"]
        band = []
        for r, row in enumerate(rows):
            if any(row):
                band.append(r)
            elif band:
                break
        if not band or band[-1] >= 9:
            return None
        columns = [c for r in band for c, full in enumerate(rows[r]) if full]
        return band[0], band[-1], min(columns), max(columns)

    def start_game_by_touch(self):
        """Chooses "Medium" on the scroll bar by touch (the thumb dragged to the end, the track tapped
        left of it twice) and taps "GO!"; returns once the curtain is open. At "Medium" a hurry still
        speeds a piece up (at "Hard" pieces fall a row a tick already) and a game left alone soon ends."""
        bar = '[role="scrollbar"]'
        self.drag(f"{bar} .thumb", 400)
        wait_for(lambda: self.scroll_value() == 4, 2, "the thumb dragged to the end")
        for value in (3, 2):
            self.tap(f"{bar} .track", at=10)
            wait_for(lambda: self.scroll_value() == value, 2, "the track tapped left of the thumb")
        self.tap_button("GO!")
        wait_for(lambda: self.shown("Blokko") and not self.shown("Form2"), 5, "the game window")
        wait_for(lambda: (self.well() or {}).get("open"), 10, "the curtain to open")
        self.assert_no_sideways_scroll()

    def pile_top(self):
        """The highest row (0 at the top) of the pile on the well's floor, a falling piece on it included."""
        rows = (self.well() or {}).get("rows", [])
        top = len(rows)
        while top > 0 and any(rows[top - 1]):
            top -= 1
        return top

    def keep_room(self):
        """The pieces the checks let fall pile up in the middle of the well. Once the pile reaches the upper
        half, no piece can be watched falling there: the game is played to its end (its score kept in
        self.scores) and the next one started."""
        if self.pile_top() > 10:
            return
        self.scores.append(self.play_to_game_over())
        self.js("arguments[0].click()", self.shown_buttons("Game Over")[0])
        wait_for(lambda: self.shown("Form2"), 5, "the difficulty window again")
        self.js("arguments[0].click()", self.shown_buttons("GO!")[0])
        wait_for(lambda: self.shown("Blokko") and not self.shown("Form2"), 5, "the next game")
        wait_for(lambda: (self.well() or {}).get("open"), 10, "the curtain to open")

    def paused_with_a_piece(self, pause, resume, ready=lambda piece: True):
        """Pauses (by `pause`) while a piece for which ready(piece) holds falls in the upper half of the
        well; returns the piece as it stands, or None when it landed first (then resumes) or the pile
        grew into the upper half first."""
        try:
            wait_for(lambda: (p := self.piece()) and ready(p), 20, "a falling piece in the upper half")
        except AssertionError:
            if self.pile_top() > 10:
                raise
            return None
        pause()
        wait_for(lambda: self.shown_buttons("Pause"), 2, '"Pause"')
        time.sleep(0.1)  # the last frame before the pause
        piece = self.piece()
        if piece is None or not ready(piece):
            resume()
            return None
        return piece

    def moves_while_paused(self, pause, act, resume, check, what, ready=lambda piece: True):
        """Keys given while paused are drawn with the next tick after resuming: pauses with a falling
        piece, acts, resumes and waits for check(before, after)."""
        for _ in range(8):
            self.keep_room()
            before = self.paused_with_a_piece(pause, resume, ready)
            if before is None:
                continue
            act()
            resume()
            wait_for(lambda: not self.shown_buttons("Pause"), 2, "the game to resume")
            deadline = time.monotonic() + 1
            while time.monotonic() < deadline:
                after = self.piece()
                if after and check(before, after):
                    return
        raise AssertionError(f"{what}: not seen with eight pieces")

    def assert_controls_beside_the_game(self):
        """Every control at least 48 CSS pixels square, in the viewport and clear of the game window's
        client area."""
        boxes, client, view = self.js("""
            const box = (el) => { const r = el.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
            return [[...document.querySelectorAll('button[data-key]')].map(box),
                    box(document.querySelector('[data-window="Blokko"] .client')), [innerWidth, innerHeight]]""")
        for left, top, right, bottom in boxes:
            self.assertGreaterEqual(min(right - left, bottom - top), 48)
            self.assertTrue(0 <= left and right <= view[0] and 0 <= top and bottom <= view[1], "in the viewport")
            self.assertTrue(right <= client[0] or left >= client[2] or bottom <= client[1] or top >= client[3],
                            "clear of the game window's client area")

    def assert_hurried_once(self, before):
        """The score shown next, when the piece lands: 10 for the piece, 5 for its one hurry, 100 a row."""
        after = wait_for(lambda: self.score() != before and self.score(), 5, "the piece to land")
        self.assertEqual((after - before) % 100, 15, f"from {before} to {after}: a hurry scored once")

    def play_to_game_over(self):
        wait_for(lambda: self.shown_buttons("Game Over"), 60, '"Game Over"')
        return self.label("Score:")

    def best_score(self, last):
        """The best of the session's scores ("Score:000123"): the last game's and those keep_room ended."""
        return max(self.scores + [last], key=lambda score: int(score[len("Score:"):]))


def width(piece):
    return piece[3] - piece[2] + 1


def height(piece):
    return piece[1] - piece[0] + 1


def turned(before, after):
    return (width(after), height(after)) == (height(before), width(before))


def not_square(piece):
    return width(piece) != height(piece) and piece[0] >= 2


class TouchSession(Device):
    """A whole session by touch alone."""

    MOBILE, TOUCH = True, True

    def test_a_whole_session_by_touch_alone(self):
        controls = self.js("""return [...document.querySelectorAll('button[data-key]')].map((b) => [
            b.dataset.key, b.getAttribute('aria-label'), !!b.closest('[data-window]')])""")
        self.assertEqual({code: name for code, name, _ in controls}, CONTROLS)
        self.assertFalse(any(inside for *_, inside in controls), "no control inside a window")
        self.start_game_by_touch()
        self.assert_controls_beside_the_game()
        tap_control = lambda code: lambda: self.tap(self.control(code))
        resume = lambda: self.tap_button("Pause")
        pause = tap_control("KeyP")
        self.moves_while_paused(pause, tap_control("ArrowLeft"), resume,
                                lambda b, a: (a[2], a[3]) == (b[2] - 1, b[3] - 1), "a tap shifts left")
        # One turn each device: the pieces each check lets fall pile up in the middle of the well.
        self.moves_while_paused(pause, tap_control(self.TURN), resume, turned, f"a tap on {self.TURN} turns",
                                not_square)
        # Two fingers at once, held: shift right repeats to the wall while hurry scores its 5 points once.
        self.moves_while_paused(pause, self.hold_shift_right_and_hurry, resume, lambda b, a: a[3] == 9,
                                "a held shift right to the wall")
        self.assert_hurried_once(self.score_before)
        # A title bar dragged by a finger moves its window and never the page.
        before = self.js("return document.querySelector('[data-window=\"Blokko\"]').getBoundingClientRect().top")
        self.drag('[data-window="Blokko"] .titlebar', 0, 30)
        after = self.js("return document.querySelector('[data-window=\"Blokko\"]').getBoundingClientRect().top")
        self.assertGreater(after, before + 10)
        self.assertEqual(self.js("return [scrollX, scrollY]"), [0, 0], "the drag did not scroll the page")
        # Left alone, the game ends; "Game Over" starts the next, the best score kept.
        best = self.best_score(self.play_to_game_over())
        self.tap_button("Game Over")
        wait_for(lambda: self.shown("Form2"), 5, "the difficulty window again")
        self.assertEqual(self.label("HiScore:"), "Hi" + best)
        self.assertEqual(self.scroll_value(), 2)
        self.tap_button("GO!")
        wait_for(lambda: not self.shown("Form2"), 5, "the next game")
        self.assertTrue(self.shown("Blokko"))
        self.assertEqual(self.label("HiScore:"), "Hi" + best)
        self.assert_no_sideways_scroll()

    def hold_shift_right_and_hurry(self):
        self.score_before = self.score()
        self.hold([self.control("ArrowRight"), self.control("ArrowDown")], 0.7)

class Phone(TouchSession, unittest.TestCase):
    WIDTH, HEIGHT, SCALE, TURN = 390, 844, 3, "KeyA"

    def test_the_scaled_game_window_is_drawn_pixel_for_pixel(self):
        self.tap_button("GO!")
        wait_for(lambda: (self.well() or {}).get("open"), 10, "the curtain to open")
        ratio, scale, shown = self.js("""
            const w = document.querySelector('[data-window="Blokko"]'), c = w.querySelector('canvas');
            const r = c.getBoundingClientRect();
            return [devicePixelRatio, parseFloat(w.style.zoom), [r.left, r.top, r.width, r.height]]""")
        canvas = self.layer("return [canvas.width, canvas.height]")
        self.assertLess(scale, 1, "the window is scaled down to fit")
        device = [v * ratio for v in shown]
        self.assertEqual(device, [round(v) for v in device], "on whole device pixels")
        self.assertEqual(device[2:], canvas, "the backing store's size on the screen")
        # What the screen shows of the well's left wall is what the canvas holds, pixel for pixel.
        x, y = round(device[0]), round(device[1])
        size = round(2 * CELL / 15 * ratio * scale)
        shot = Image.open(io.BytesIO(base64.b64decode(self.cdp("Page.captureScreenshot")["data"]))).convert("RGB")
        held = self.layer("return Array.from(canvas.getContext('2d').getImageData(0, arguments[2], arguments[2], "
                          "arguments[2]).data)", "Blokko", 0, size)
        canvas_pixels = [tuple(held[i:i + 3]) for i in range(0, len(held), 4)]
        screen_pixels = list(shot.crop((x, y + size, x + size, y + 2 * size)).getdata())
        self.assertEqual(screen_pixels, canvas_pixels, "the wall as drawn, not resampled")


class Tablet(TouchSession, unittest.TestCase):
    WIDTH, HEIGHT, SCALE, TURN = 820, 1180, 2, "KeyS"


class LandscapePhone(Device, unittest.TestCase):
    WIDTH, HEIGHT, SCALE, MOBILE, TOUCH = 844, 390, 3, True, True

    def test_everything_is_reachable_and_turning_the_phone_keeps_the_game(self):
        self.start_game_by_touch()
        self.tap(self.control("KeyP"))
        wait_for(lambda: self.shown_buttons("Pause"), 2, '"Pause"')
        self.assert_reachable()  # the controls, the game window's title bar, close button and "Pause"
        kept = (self.label("Score:"), self.label("Blocks:"), self.well()["rows"])
        ticks = self.ticks(1)
        self.emulate(self.HEIGHT, self.WIDTH)
        wait_for(lambda: self.js("return innerWidth") == self.HEIGHT, 5, "the turned viewport")
        time.sleep(0.3)
        self.assert_reachable()
        self.assertEqual((self.label("Score:"), self.label("Blocks:"), self.well()["rows"]), kept,
                         "the same game, drawn again at its new size")
        self.tap_button("Pause")
        wait_for(lambda: self.ticks(1) > ticks + 5, 5, "play going on")

    def test_the_smallest_screens_fit(self):
        for width, height in ((320, 568), (568, 320)):
            self.emulate(width, height)
            self.driver.get(self.server.url)
            wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame")
            self.assert_reachable(3)  # the difficulty window's title bar, close button and "GO!"
            self.tap_button("GO!")
            wait_for(lambda: self.shown("Blokko"), 5, "the game window")
            self.assert_reachable(len(CONTROLS) + 2)
            self.assert_controls_beside_the_game()

    def assert_reachable(self, at_least=len(CONTROLS) + 3):
        """Every control, button, title bar and close button shown is in the viewport and the element
        found at its centre, so a finger reaches it."""
        missed = self.js("""
            const found = [];
            const targets = [...document.querySelectorAll(
                'button[data-key], [data-window]:not([hidden]) button:not([hidden]), [data-window]:not([hidden]) .titlebar')]
                .filter((el) => el.getClientRects().length > 0);
            for (const el of targets) {
                const r = el.getBoundingClientRect();
                const x = r.left + r.width / 2, y = r.top + (el.classList.contains('titlebar') ? 5 : r.height / 2);
                const hit = document.elementFromPoint(x, y);
                if (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight || !hit || !el.contains(hit))
                    found.push(el.dataset.key || el.getAttribute('aria-label') || el.textContent || el.className);
            }
            return [targets.length, found]""")
        self.assertGreaterEqual(missed[0], at_least)
        self.assertEqual(missed[1], [], "out of reach")
        self.assert_no_sideways_scroll()


# A scripted gamepad with the standard mapping, installed before the page's own scripts run.
GAMEPAD = """
    window.scriptedPad = { index: 0, id: 'scripted', connected: true, mapping: 'standard', timestamp: 0,
        axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
    navigator.getGamepads = () => [window.scriptedPad, null, null, null];
    window.connectScriptedPad = () => {
        const e = new Event('gamepadconnected');
        e.gamepad = window.scriptedPad;
        window.dispatchEvent(e);
    };"""
A, B, START, DOWN, LEFT, RIGHT = 0, 1, 9, 13, 14, 15


class Gamepad(Device, unittest.TestCase):

    def setUp(self):
        self.script = self.cdp("Page.addScriptToEvaluateOnNewDocument", source=GAMEPAD)["identifier"]
        super().setUp()
        self.js("window.connectScriptedPad()")

    def tearDown(self):
        self.cdp("Page.removeScriptToEvaluateOnNewDocument", identifier=self.script)
        super().tearDown()

    def press(self, button, seconds=0.1):
        self.js("window.scriptedPad.buttons[arguments[0]].pressed = true", button)
        time.sleep(seconds)
        self.js("window.scriptedPad.buttons[arguments[0]].pressed = false", button)
        time.sleep(0.05)

    def test_a_session_with_a_gamepad(self):
        self.press(RIGHT)
        wait_for(lambda: self.scroll_value() == 2, 2, "the D-pad choosing Medium")
        self.press(A)
        wait_for(lambda: self.shown("Blokko") and not self.shown("Form2"), 5, "A pressing GO!")
        wait_for(lambda: (self.well() or {}).get("open"), 10, "the curtain to open")
        pause, resume = (lambda: self.press(START)), (lambda: self.press(START))
        self.moves_while_paused(pause, lambda: self.press(B), resume, turned, "B turns", not_square)
        self.moves_while_paused(pause, lambda: self.press(A), resume, turned, "A turns", not_square)
        # A held D-pad repeats: to the wall.
        self.moves_while_paused(pause, lambda: self.press(LEFT, 0.7), resume, lambda b, a: a[2] == 0,
                                "a held D-pad left to the wall")
        # Down hurries: the piece falls faster and scores 5 when it lands.
        scores = []
        self.moves_while_paused(pause, lambda: (scores.append(self.score()), self.press(DOWN)), resume,
                                lambda b, a: True, "down hurries")
        self.assert_hurried_once(scores[-1])
        best = self.best_score(self.play_to_game_over())
        self.press(START)
        wait_for(lambda: self.shown("Form2"), 5, 'Start pressing "Game Over"')
        self.assertEqual(self.label("HiScore:"), "Hi" + best)
        self.press(LEFT)
        wait_for(lambda: self.scroll_value() == 1, 2, "the D-pad choosing Easy")
        self.press(START)
        wait_for(lambda: not self.shown("Form2"), 5, 'Start pressing "GO!"')
        self.js("""window.scriptedPad.connected = false;
                   const e = new Event('gamepaddisconnected');
                   e.gamepad = window.scriptedPad;
                   window.dispatchEvent(e);""")


if __name__ == "__main__":
    sys.exit(run(sys.argv))
