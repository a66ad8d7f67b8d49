"""The page never strands a player: keys stay with the game, Tab goes round, the help shows the keys, a
screen reader hears each window in reading order, and the windows stand side by side where they fit.

    /usr/bin/python3 tests/web/reach_test.py BUILD_WEB_FOLDER
"""

import sys
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from harness import PageCase, wait_for, run, FORM2_H

SITE = None  # set from the command line

# Names the test gives the focused element: its window and its accessible name, or the page's own.
FOCUSED = """
    const e = document.activeElement;
    if (!e || e === document.body)
        return 'page';
    const w = e.closest('[data-window]');
    const name = e.getAttribute('aria-label') || e.id || e.textContent.trim();
    return w ? `${w.dataset.window} ${name}` : name;"""


class ReachTest(PageCase, unittest.TestCase):

    def tearDown(self):
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        super().tearDown()

    # --- helpers -----------------------------------------------------------------------------------

    def focused(self):
        return self.js(FOCUSED)

    def looking_active(self):
        """The windows whose title bar has the active look."""
        return self.js("""
            return [...document.querySelectorAll('[data-window]:not([hidden])')]
                .filter((w) => getComputedStyle(w.querySelector('.titlebar')).backgroundImage.includes('10, 36, 106'))
                .map((w) => w.dataset.window)""")

    def click_at(self, x, y):
        action = ActionBuilder(self.driver)
        action.pointer_action.move_to_location(int(x), int(y))
        action.pointer_action.click()
        action.perform()

    def click_desk(self):
        """A click on the desk, below and left of every window."""
        r = self.driver.find_element(By.ID, "desk").rect
        x, y = r["x"] + 8, r["y"] + r["height"] - 8
        self.assertEqual(self.js("return document.elementFromPoint(arguments[0], arguments[1]).id", x, y), "desk")
        self.click_at(x, y)

    def press(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def help_now(self):
        return self.driver.find_element(By.ID, "help-now").text

    def rectangles(self):
        return self.js("""
            const box = (el) => { const r = el.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
            const found = { help: box(document.getElementById('help')) };
            for (const w of document.querySelectorAll('[data-window]:not([hidden])'))
                found[w.dataset.window] = box(w);
            return found;""")

    def assert_apart(self, rectangles):
        names = sorted(rectangles)
        for i, a in enumerate(names):
            for b in names[i + 1:]:
                (al, at, ar, ab), (bl, bt, br, bb) = rectangles[a], rectangles[b]
                self.assertTrue(ar <= bl or br <= al or ab <= bt or bb <= at, f"{a} and {b} overlap: {rectangles}")

    def at_viewport(self, width, height):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": width, "height": height, "deviceScaleFactor": 0, "mobile": False})
        self.setUp()

    def game_over_then_difficulty(self):
        """Plays at "Hard" until the game ends, then presses Enter: the difficulty window opens beside the
        next game."""
        self.start_game(2)
        wait_for(lambda: self.shown_buttons("Game Over"), 60, '"Game Over"')
        self.assertEqual(self.help_now(), "Press Enter or tap Game Over to play again.")
        self.press(Keys.ENTER)
        wait_for(lambda: self.shown("Form2"), 5, "the difficulty window again")

    def accessibility_tree(self):
        """Chromium's accessibility tree: the nodes that assistive technology is given, by id."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return {n["nodeId"]: n for n in nodes}

    def reading(self, nodes, role, name):
        """What a screen reader finds in the node of `role` and `name`, depth first: the roles and names
        of its controls and headings and the texts between them."""
        value = lambda n, key: n.get(key, {}).get("value")
        matches = [n for n in nodes.values()
                   if not n.get("ignored") and value(n, "role") == role and value(n, "name") == name]
        self.assertEqual(len(matches), 1, f"one {role} named {name!r}")
        heard = []

        def walk(node):
            r = value(node, "role")
            if not node.get("ignored") and r in ("heading", "button", "scrollbar", "application", "link"):
                heard.append((r, value(node, "name")))
                return
            if not node.get("ignored") and r == "StaticText":
                heard.append(("text", value(node, "name")))
                return
            for child in node.get("childIds", []):
                if child in nodes:
                    walk(nodes[child])

        for child in matches[0].get("childIds", []):
            walk(nodes[child])
        return heard

    @staticmethod
    def with_property(nodes, name, value):
        return [n for n in nodes.values() if not n.get("ignored") and any(
            p["name"] == name and p["value"].get("value") == value for p in n.get("properties", []))]

    # --- tests -------------------------------------------------------------------------------------

    def test_a_click_anywhere_on_the_page_leaves_the_keys_with_the_active_window(self):
        form2 = self.window("Form2")
        client = form2.find_element(By.CSS_SELECTOR, ".client").rect
        spots = (
            ("the desk", self.click_desk, Keys.ARROW_RIGHT, 2),
            ("the title bar", lambda: form2.find_element(By.CSS_SELECTOR, ".caption").click(), Keys.ARROW_LEFT, 1),
            ("the help's text", lambda: self.driver.find_element(By.ID, "help-keys").click(), Keys.ARROW_RIGHT, 2),
            ("the window's ground", lambda: self.click_at(client["x"] + 10, client["y"] + FORM2_H - 10),
             Keys.ARROW_LEFT, 1),
        )
        for what, click, key, value in spots:
            click()
            self.press(key)
            self.assert_scroll_value(value)
            self.assertEqual(self.focused(), "Form2 Difficulty", f"after a click on {what}")
            self.assertEqual(self.looking_active(), ["Form2"], f"after a click on {what}")
        self.start_game(0)
        wait_for(self.curtain_open, 10, "the curtain to open")
        step = 292 / 15
        moved = lambda by: lambda before, after: abs(after[0] - before[0] - by) < 2
        self.click_desk()
        self.after_key(Keys.ARROW_LEFT, moved(-step), "Left after a click on the desk")
        self.window("Blokko").find_element(By.CSS_SELECTOR, ".caption").click()
        self.after_key(Keys.ARROW_RIGHT, moved(step), "Right after a click on the title bar")
        self.assertEqual(self.focused(), "Blokko Blokko game")
        self.assertEqual(self.looking_active(), ["Blokko"])

    def test_the_help_shows_the_keys_follows_the_game_and_stays_hidden_for_the_session(self):
        self.js("sessionStorage.clear()")  # a test before may have hidden it
        self.setUp()
        self.assert_apart(self.rectangles())
        self.assertIn("A and S turn it", self.driver.find_element(By.ID, "help-keys").text)
        self.assertEqual(self.help_now(), "Choose a difficulty with Left and Right, then press Enter.")
        self.start_game(0)
        self.assertEqual(self.help_now(), "")
        self.press("p")
        wait_for(lambda: self.help_now() == "Press Enter or tap Pause to play on.", 2, "the help on Pause")
        self.press(Keys.ENTER)
        wait_for(lambda: self.help_now() == "", 2, "the help after Pause")
        # The help's button takes the keys on purpose: no window looks active, and Tab gives them back.
        toggle = self.driver.find_element(By.ID, "help-toggle")
        toggle.click()
        self.assertFalse(self.driver.find_element(By.ID, "help-body").is_displayed())
        self.assertEqual((self.focused(), self.looking_active()), ("help-toggle", []))
        self.press(Keys.TAB)
        self.assertEqual((self.focused(), self.looking_active()), ("Blokko Blokko game", ["Blokko"]))
        self.setUp()
        self.assertFalse(self.driver.find_element(By.ID, "help-body").is_displayed(), "hidden for the session")
        self.assertEqual(self.driver.find_element(By.ID, "help-toggle").text, "Show")
        self.driver.find_element(By.ID, "help-toggle").click()
        self.assertTrue(self.driver.find_element(By.ID, "help-body").is_displayed())

    def test_at_1024_by_600_after_a_game_over_the_windows_stand_apart_and_tab_goes_round_them(self):
        self.at_viewport(1024, 600)
        self.game_over_then_difficulty()
        rectangles = self.rectangles()
        self.assert_apart(rectangles)
        for name in ("Form2", "Blokko"):
            self.assertLessEqual(rectangles[name][2], 1024, f"{name} within the view")
            self.assertLessEqual(rectangles[name][3], 600, f"{name} within the view")
        # Round the page and back, each way; the browser's own controls may come between the last and
        # the first.
        ring = ["Form2 Difficulty", "Form2 GO!", "Fonts and their licences", "help-toggle", "Blokko Blokko game"]
        for backwards, order in ((False, ring[1:] + ring[:1]), (True, ring[::-1])):
            self.assertEqual(self.focused(), "Form2 Difficulty")
            seen = []
            for _ in range(len(ring) + 1):
                if backwards:
                    ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
                else:
                    self.press(Keys.TAB)
                seen.append(self.focused())
                if seen[-1] == ring[0]:
                    break
            self.assertEqual([s for s in seen if s != "page"], order)
            self.assertLessEqual(seen.count("page"), 1)
        # Tab brings the keys back to the game: P pauses it.
        while self.focused() != "Blokko Blokko game":
            self.press(Keys.TAB)
        self.press("p")
        wait_for(lambda: self.shown_buttons("Pause"), 2, '"Pause" after Tab to the game')

    def test_tab_then_enter_never_leaves_the_page_during_a_game(self):
        self.start_game(0)
        self.click_desk()  # which once left the keys with the page's body, and Tab with the link
        page, url = self.driver.current_window_handle, self.driver.current_url
        for _ in range(4):  # the link, the browser's own stop, the help's button, the game
            self.press(Keys.TAB)
            where = self.focused()
            self.press(Keys.ENTER)
            time.sleep(0.3)
            for handle in self.driver.window_handles:
                if handle != page:  # the link opened in a tab of its own
                    self.driver.switch_to.window(handle)
                    self.driver.close()
            self.driver.switch_to.window(page)
            self.assertEqual(self.driver.current_url, url, f"Enter on {where}")
            self.assertTrue(self.shown("Blokko"), f"the game after Enter on {where}")
        self.assertEqual(where, "Blokko Blokko game")
        ticks = self.ticks()
        wait_for(lambda: self.ticks() > ticks + 5, 5, "the game to go on")

    def test_a_screen_reader_hears_each_window_in_reading_order_and_the_counters_at_most_once_a_second(self):
        nodes = self.accessibility_tree()
        # The difficulty window: the heading, each choice once, the scroll bar, then "GO!".
        self.assertEqual(self.reading(nodes, "dialog", "Form2"),
                         [("text", "Form2"), ("button", "Close Form2"), ("heading", "Difficulty Level:"),
                          ("text", "Easy"), ("text", "Medium"), ("text", "Hard"), ("text", "Intense"),
                          ("scrollbar", "Difficulty"), ("button", "GO!")])
        self.assertEqual(len(self.with_property(nodes, "live", "polite")), 1, "one polite live region")
        # The scroll bar's value is heard by the difficulty's name.
        bar = self.driver.find_element(By.CSS_SELECTOR, '[role="scrollbar"]')
        self.assertEqual(bar.get_attribute("aria-valuetext"), "Easy")
        self.press(Keys.ARROW_RIGHT)
        wait_for(lambda: bar.get_attribute("aria-valuetext") == "Medium", 2, '"Medium" heard')
        self.js("""
            const region = document.getElementById('announcements');
            window.heard = [];
            new MutationObserver(() => window.heard.push([performance.now(), region.textContent]))
                .observe(region, { childList: true, characterData: true, subtree: true });""")
        self.start_game(1)  # "Hard"
        # The game window: its focused element named, with the help's keys as its description.
        nodes = self.accessibility_tree()
        self.assertEqual(self.reading(nodes, "dialog", "Blokko"),
                         [("text", "Blokko"), ("button", "Close Blokko"), ("application", "Blokko game")])
        game = [n for n in self.with_property(nodes, "focused", True) if n["role"]["value"] != "RootWebArea"][0]
        self.assertEqual((game["role"]["value"], game["name"]["value"]), ("application", "Blokko game"))
        keys = [" ".join(self.driver.find_element(By.ID, id).get_attribute("textContent").split())
                for id in ("help-keys", "help-buttons")]
        self.assertEqual(game["description"]["value"], " ".join(keys))
        wait_for(lambda: self.shown_buttons("Game Over"), 60, '"Game Over"')
        time.sleep(1.5)  # the last news
        announced = self.js("return window.heard")
        self.assertGreaterEqual(len(announced), 2, announced)
        gaps = [b[0] - a[0] for a, b in zip(announced, announced[1:])]
        self.assertGreaterEqual(min(gaps), 990, f"announcements {announced}")
        self.assertIn("Game Over", announced[-1][1])
        # The latest counters were heard: the score now shown is the last score announced.
        score = [e.get_attribute("textContent") for e in
                 self.window("Blokko").find_elements(By.CSS_SELECTOR, "[data-label]")
                 if e.get_attribute("textContent").startswith("Score:")][0]
        scores = [part for _, text in announced for part in text.split(", ") if part.startswith("Score:")]
        self.assertEqual(scores[-1], score)


if __name__ == "__main__":
    sys.exit(run(sys.argv))
