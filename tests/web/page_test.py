"""The page in headless Chromium, played as a person would: clicks, keys and screenshots.

    /usr/bin/python3 tests/web/page_test.py BUILD_WEB_FOLDER

Runs every test at device scale factor 1 and 2. Each test loads the page afresh from a server on
127.0.0.1 and fails on any console error. Pixels are read from real screenshots at places the layout
gives (15 twips a CSS pixel).
"""

import sys
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from harness import PageCase, wait_for, run, CELL, GAME_W, GAME_H, FORM2_W, FORM2_H, BACKGROUND, YELLOW

SITE = None  # set from the command line
# The layout, in CSS pixels of a window's client area (an independent copy of the designed numbers).
WALL = (60 / 15 + 2, (10 * CELL + 50) / 15 + 9)  # blue border of the wall cell at row 10, column 0
NEXT_PIECE_LABEL = ((17 * CELL + 1575 / 2) / 15 - 6, 120 / 15 + 3)

BLUE = (0, 0, 255)
RED = (255, 0, 0)
ORANGE = (255, 128, 0)
BLACK = (0, 0, 0)


class PageTest(PageCase):
    """The tests; a subclass per device scale factor sets SCALE."""

    # --- helpers -----------------------------------------------------------------------------------

    def button(self, caption):
        matches = self.shown_buttons(caption)
        self.assertEqual(len(matches), 1, f'one "{caption}" button')
        return matches[0]

    def assert_caption_whole(self, button, lines):
        """The button shows the scene's lines, each inside it, and clips nothing."""
        shown = self.js("""
            const b = arguments[0], r = b.getBoundingClientRect();
            return [[...b.querySelectorAll('.line')].map((l) => {
                        const s = l.getBoundingClientRect();
                        return [l.textContent, s.left >= r.left && s.right <= r.right && s.top >= r.top &&
                                s.bottom <= r.bottom];
                    }),
                    b.scrollWidth <= b.clientWidth && b.scrollHeight <= b.clientHeight]""", button)
        self.assertEqual(shown, [[[line, True] for line in lines], True], f"the lines of {lines}")

    def client_origin(self, name):
        """The CSS pixel position of a window's client area (its content box) in the viewport."""
        return self.js("""
            const el = document.querySelector(`[data-window="${arguments[0]}"]`);
            const r = el.getBoundingClientRect(), s = getComputedStyle(el);
            return [r.left + parseFloat(s.borderLeftWidth) + parseFloat(s.paddingLeft),
                    r.top + parseFloat(s.borderTopWidth) + parseFloat(s.paddingTop),
                    el.clientWidth - parseFloat(s.paddingLeft) - parseFloat(s.paddingRight),
                    el.clientHeight - parseFloat(s.paddingTop) - parseFloat(s.paddingBottom)]""", name)

    # --- tests -------------------------------------------------------------------------------------

    def test_program_start_shows_the_difficulty_window_only(self):
        self.assertTrue(self.shown("Form2"))
        self.assertFalse(self.shown("Blokko"))
        title = self.window("Form2").find_element(By.XPATH, "./*[1]")
        self.assertEqual(title.text, "Form2")
        self.assertEqual(self.client_origin("Form2")[2:], [FORM2_W, FORM2_H])
        bar = self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"]')
        self.assertEqual([bar.get_attribute(a) for a in ("aria-valuemin", "aria-valuemax", "aria-valuenow")],
                         ["1", "4", "1"])
        self.assert_caption_whole(self.button("GO!"), ["GO!"])
        shot = self.screenshot("Form2")
        self.assertEqual(self.pixel(shot, FORM2_W - 0.5, FORM2_H - 0.5), ORANGE, "the orange ground")
        self.assertEqual(self.pixel(shot, 2, 2), (1, 1, 254), "the gradient's first band")

    def test_the_track_steps_one_towards_the_click_and_the_thumb_drags(self):
        bar = self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"]')
        track = bar.find_element(By.CSS_SELECTOR, ".track")
        thumb = bar.find_element(By.CSS_SELECTOR, ".thumb")
        # A click on the track beyond the thumb's right edge steps 1, however far away.
        right_end = track.size["width"] // 2 - 3
        ActionChains(self.driver).move_to_element_with_offset(track, right_end, 0).click().perform()
        self.assert_scroll_value(2)
        ActionChains(self.driver).move_to_element_with_offset(track, right_end, 0).click().perform()
        self.assert_scroll_value(3)
        # Left of the thumb steps back.
        ActionChains(self.driver).move_to_element_with_offset(track, -right_end, 0).click().perform()
        self.assert_scroll_value(2)
        # The thumb dragged to the right end chooses "Intense" and stays within the range.
        ActionChains(self.driver).click_and_hold(thumb).move_by_offset(track.size["width"], 0).release().perform()
        self.assert_scroll_value(4)
        self.assertIn("Intense", bar.get_attribute("aria-valuetext") or bar.get_attribute("aria-label") or "")
        # Keys faster than frames (an auto-repeat, a quick hand): each steps on from the one before.
        self.js("""
            for (const key of ['ArrowLeft', 'ArrowLeft', 'ArrowRight', 'ArrowLeft'])
                arguments[0].dispatchEvent(new KeyboardEvent('keydown', { key, bubbles: true }));""", bar)
        self.assert_scroll_value(2)

    def test_arrow_and_go_start_the_game_behind_a_curtain_that_opens(self):
        right_arrow = self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"] .arrow.right')
        right_arrow.click()
        right_arrow.click()
        self.assert_scroll_value(3)
        self.button("GO!").click()
        wait_for(lambda: self.shown("Blokko"), 5, "the game window")
        self.assertFalse(self.shown("Form2"))
        self.assertEqual(self.window("Blokko").find_element(By.XPATH, "./*[1]").text, "Blokko")
        self.assertEqual(self.client_origin("Blokko")[2:], [GAME_W, GAME_H])
        shot = self.screenshot("Blokko")
        self.assertEqual(self.pixel(shot, BACKGROUND[0], 30), BLACK, "the curtain, still closed near the top")
        # Each slide of the curtain is drawn where it changed.
        wait_for(lambda: self.ticks(3) >= 3, 5, "the curtain to slide")
        self.assert_drawn_as_afresh("while the curtain slides")
        wait_for(self.curtain_open, 10, "the curtain to open")
        shot = self.screenshot("Blokko")
        self.assertEqual(self.pixel(shot, *WALL), BLUE, "the blue border of the well's wall")
        self.assertEqual(self.pixel(shot, *NEXT_PIECE_LABEL), RED, 'the red "Next Piece:" label')
        wait_for(self.preview_shown, 10, "the next piece in the preview")

    def preview_shown(self):
        # The preview backdrop: 1575 twips square, centred on 17 cells, Top 1440 (its cells are drawn
        # over it in the piece's colour once the first piece is chosen).
        shot = self.screenshot("Blokko")
        left = (17 * CELL - 1575 / 2) / 15
        top = 1440 / 15
        colours = {self.pixel(shot, left + 3 + 105 * i / 8, top + 3 + 105 * j / 8)
                   for i in range(8) for j in range(8)}
        return len(colours - {YELLOW, BLACK, BLUE}) > 0

    def test_keys_move_and_turn_the_piece(self):
        step = CELL / 15
        near = lambda a, b: abs(a - b) < 2
        checks = (
            (Keys.ARROW_LEFT, lambda b, a: near(a[0], b[0] - step), "Left moves the piece a column left"),
            (Keys.ARROW_RIGHT, lambda b, a: near(a[0], b[0] + step), "Right moves it a column right"),
            # A turns it: width and height trade places. Pressed for a piece that is not square (the
            # square looks the same turned) and is three rows down, so that it has room to turn.
            ("a", lambda b, a: near(a[2] - a[0], b[3] - b[1]) and near(a[3] - a[1], b[2] - b[0]),
             "A turns the piece", lambda b: not near(b[2] - b[0], b[3] - b[1]) and b[1] >= 3 * step),
        )
        for number, (key, check, what, *ready) in enumerate(checks):
            # Each key in a game of its own: the pieces one check lets fall pile up in the middle of the
            # well and could leave the next no room in the upper half.
            if number:
                self.tearDown()
                self.setUp()
            self.start_game(0)
            wait_for(self.curtain_open, 10, "the curtain to open")
            self.after_key(key, check, what, *ready)
            self.assertEqual(self.driver.switch_to.active_element.get_attribute("class"), "client")
            self.assertEqual(self.js("return window.scrollY"), 0, "the arrows did not scroll the page")
        # The curtain opened and the piece moved, each change drawn on its own: the game window looks
        # as when drawn afresh.
        self.assert_drawn_as_afresh("after the curtain opened and the piece moved")

    def assert_drawn_as_afresh(self, when):
        changes, afresh = self.js("return blokkoPage.compareAfresh('Blokko')")
        self.assertEqual(len(changes), len(afresh))
        self.assertTrue(changes == afresh, f"{when}, the window drawn change by change differs from one drawn afresh")

    def test_a_game_left_alone_at_hard_ends_and_game_over_keeps_the_best_score(self):
        self.start_game(2)
        game_over = wait_for(lambda: self.shown_buttons("Game Over"), 90, '"Game Over"')[0]
        # The caption does not fit on one line: it stands on two, both words whole.
        self.assert_caption_whole(game_over, ["Game", "Over"])
        score = self.label("Score:")
        self.assertNotEqual(score, "Score:000000")
        self.assertTrue(self.shown("Blokko"))
        if self.SCALE == 1:
            game_over.click()
        else:  # the keyboard alone: Enter presses the game window's frontmost shown button
            ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        wait_for(lambda: self.shown("Form2"), 5, "the difficulty window again")
        self.assertTrue(self.shown("Blokko"), "the next game runs while the player chooses")
        self.assertEqual(self.scroll_value(), 3, "the scroll bar keeps the last choice")
        self.assertEqual(self.label("HiScore:"), "Hi" + score)
        # The next game started at 000000 and runs on by itself (a busy machine may let it score already).
        next_score = self.label("Score:")
        self.assertLess(int(next_score[len("Score:"):]), int(score[len("Score:"):]), "a new game's score")
        # Closing the difficulty window now only hides it: the next game goes on.
        self.window("Form2").find_element(By.CSS_SELECTOR, ".titlebar .close").click()
        wait_for(lambda: not self.shown("Form2"), 2, "the difficulty window to step aside")
        self.assertTrue(self.shown("Blokko"))
        self.assertFalse(self.driver.find_element(By.ID, "ended").is_displayed())

    def test_closing_the_game_window_ends_the_program_and_it_can_start_again(self):
        self.start_game(0)
        self.window("Blokko").find_element(By.CSS_SELECTOR, ".titlebar .close").click()
        ended = self.driver.find_element(By.ID, "ended")
        wait_for(ended.is_displayed, 2, "the end notice")
        self.assertFalse(self.shown("Blokko"))
        self.assertFalse(self.shown("Form2"))
        ticks = self.ticks()
        time.sleep(0.3)
        self.assertEqual(self.ticks(), ticks,
                         "no timer ticks after the end")
        self.driver.find_element(By.ID, "start-again").click()
        wait_for(lambda: self.shown("Form2"), 2, "the difficulty window after starting again")
        self.assertFalse(self.shown("Blokko"))

    def test_a_hidden_page_stands_still_and_goes_on_without_a_burst(self):
        self.start_game(0)
        wait_for(lambda: self.ticks(1) > 10, 10, "play ticks")
        set_hidden = """
            Object.defineProperty(document, 'hidden', { configurable: true, get: () => arguments[0] });
            document.dispatchEvent(new Event('visibilitychange'));
            return blokkoPage.stats().then((s) => s.ticks[1])"""
        before = self.js(set_hidden, True)
        time.sleep(1.5)
        self.assertEqual(self.ticks(1), before, "no play tick while hidden")
        shown = self.js(set_hidden, False)
        time.sleep(0.5)
        after = self.ticks(1)
        # Half a second of play is about 10 ticks of 50 ms; the 30 missed while hidden never come.
        self.assertGreater(after - shown, 4)
        self.assertLess(after - shown, 16)

    def test_pause_in_front_of_the_curtain_resumes_with_a_key(self):
        self.start_game(0)
        ActionChains(self.driver).send_keys("p").perform()
        pause = wait_for(lambda: self.shown_buttons("Pause"), 2, '"Pause"')[0]
        self.assert_caption_whole(pause, ["Pause"])
        # The button is in front of everything at its centre: a person can click it.
        self.assertTrue(self.js("""
            const b = arguments[0], r = b.getBoundingClientRect();
            return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2) === b""", pause))
        # A held Enter's repeats press nothing (a held key would go on pausing and resuming); a press does.
        self.js("""document.activeElement.dispatchEvent(new KeyboardEvent('keydown',
            { key: 'Enter', code: 'Enter', repeat: true, bubbles: true, cancelable: true }))""")
        time.sleep(0.3)
        self.assertTrue(pause.is_displayed(), "a repeated Enter pressed Pause")
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        wait_for(lambda: not pause.is_displayed(), 2, "Enter to press Pause")
        wait_for(self.curtain_open, 10, "the curtain to go on opening")


class AtScaleFactor1(PageTest, unittest.TestCase):
    SCALE = 1


class AtScaleFactor2(PageTest, unittest.TestCase):
    SCALE = 2


class GameOnThePage(PageTest, unittest.TestCase):
    """A browser that cannot hand a canvas to a worker: the page runs the same game itself. The tests of
    play and drawing; the others do not depend on where the game runs."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "delete HTMLCanvasElement.prototype.transferControlToOffscreen;"})

    def test_keys_move_and_turn_the_piece(self):
        super().test_keys_move_and_turn_the_piece()
        # The page kept its canvases: it can draw on them itself.
        self.assertTrue(self.js("return !!document.querySelector('[data-window=\"Blokko\"] canvas').getContext('2d')"))

    test_a_game_left_alone_at_hard_ends_and_game_over_keeps_the_best_score = None
    test_a_hidden_page_stands_still_and_goes_on_without_a_burst = None
    test_closing_the_game_window_ends_the_program_and_it_can_start_again = None
    test_pause_in_front_of_the_curtain_resumes_with_a_key = None
    test_program_start_shows_the_difficulty_window_only = None
    test_the_track_steps_one_towards_the_click_and_the_thumb_drags = None


if __name__ == "__main__":
    sys.exit(run(sys.argv))
