"""The page on other screens and offline, in headless Chromium.

    /usr/bin/python3 tests/web/device_test.py BUILD_WEB_FOLDER

- Zoom: at device pixel ratios from 1.1 to 2, set on a running page through Chromium's device emulation,
  every canvas starts on a whole device pixel with a backing store of as many pixels as it covers, and a
  wall cell shows exactly what the page drew, only its own colours. The emulation resamples a canvas off
  the device-pixel grid, as a browser zoom or screen scale may (--force-device-scale-factor snaps it and
  would hide the fault).
- Installable: the linked manifest, as Chromium parses it, with its icons at their sizes.
- Offline: the service worker's cache is named after the files it keeps; after one visit the server
  stops, and a reload plays; a new build's worker replaces the cache.
"""

import base64
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.request

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from harness import ROOT, BrowserCase, PageQueries, Server, wait_for, free_port, run

SITE = None  # set from the command line

ZOOMS = (1.1, 1.25, 1.5, 1.75, 2)
# The wall cell at row 10 of the well's left wall, in twips of the game window (an independent copy of
# the designed numbers), and its colours.
CELL = 292
WALL_CELL = (60, 50 + 10 * CELL, CELL)
RED, BLUE, BLACK = (255, 0, 0), (0, 0, 255), (0, 0, 0)


def worker_build(site):
    """The build name and the file list written into a site's service worker."""
    with open(os.path.join(site, "service-worker.js")) as f:
        text = f.read()
    return tuple(json.loads(text.split(f"const {name} = ", 1)[1].split(";", 1)[0]) for name in ("Build", "Files"))


class DeviceTest(PageQueries, BrowserCase):
    def setUp(self):
        self.server = Server(SITE)  # an origin of its own: no service worker of an earlier test

    def tearDown(self):
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        # Off the page before its server goes: a worker left on it would fail to look for updates, which
        # would count against the next test.
        self.driver.get("about:blank")
        self.server.stop()
        self.driver.get_log("browser")
        self.assertEqual(errors, [], "console errors")

    def load(self):
        self.driver.get(self.server.url)
        wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame")

    def start_game(self):
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()  # "GO!" (the scroll bar has the focus)
        wait_for(lambda: self.shown("Blokko"), 5, "the game window")

    # --- zoom ----------------------------------------------------------------------------------------

    def zoom(self, ratio):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 1280, "height": 900, "deviceScaleFactor": ratio, "mobile": False})

    def canvases(self):
        """Every shown canvas: its place and size in device pixels, and its backing store's size (the
        game's, read from a copy)."""
        return self.js("""
            const shown = [...document.querySelectorAll('[data-window]:not([hidden])')];
            return Promise.all(shown.flatMap((w) => [...w.querySelectorAll('canvas')].map((c, n) =>
                blokkoPage.layer(w.dataset.window, n).then((store) => {
                    const r = c.getBoundingClientRect(), k = devicePixelRatio;
                    return [r.left * k, r.top * k, r.width * k, r.height * k, store.width, store.height];
                }))))""")

    def assert_on_the_grid(self, ratio):
        canvases = self.canvases()
        self.assertTrue(canvases)
        for left, top, width, height, store_width, store_height in canvases:
            for value in (left, top):
                self.assertAlmostEqual(value, round(value), delta=0.01, msg=f"a canvas off the grid at {ratio}")
            self.assertAlmostEqual(width, store_width, delta=0.05, msg=f"a canvas resampled at {ratio}")
            self.assertAlmostEqual(height, store_height, delta=0.05, msg=f"a canvas resampled at {ratio}")

    def wall_cell_box(self, ratio):
        """The wall cell in device pixels of the game window's client area, inset by a device pixel."""
        x, y, size = WALL_CELL
        k = ratio / 15
        return round(x * k) + 1, round(y * k) + 1, round((x + size) * k) - 1, round((y + size) * k) - 1

    def drawn_wall_cell(self, ratio):
        """The wall cell as the page drew it: the game window's bottom layer."""
        url = self.layer("return canvas.toDataURL()")
        image = Image.open(io.BytesIO(base64.b64decode(url.split(",", 1)[1]))).convert("RGB")
        return image.crop(self.wall_cell_box(ratio))

    def shown_wall_cell(self, ratio):
        """The wall cell as the screen shows it."""
        left, top = self.js("""
            const r = document.querySelector('[data-window="Blokko"] canvas').getBoundingClientRect();
            return [Math.round(r.left * devicePixelRatio), Math.round(r.top * devicePixelRatio)]""")
        shot = self.driver.execute_cdp_cmd("Page.captureScreenshot", {"format": "png"})["data"]
        box = self.wall_cell_box(ratio)
        return Image.open(io.BytesIO(base64.b64decode(shot))).convert("RGB").crop(
            (box[0] + left, box[1] + top, box[2] + left, box[3] + top))

    def test_every_canvas_lies_on_the_device_pixel_grid_at_any_zoom(self):
        self.zoom(1.25)
        self.load()
        self.assert_on_the_grid(1.25)  # the difficulty window
        self.start_game()
        # The curtain opens from the middle, where the cell is.
        wait_for(lambda: set(self.drawn_wall_cell(1.25).getdata()) == {RED, BLUE, BLACK}, 10, "the wall cell drawn")
        for ratio in ZOOMS:
            self.zoom(ratio)
            wait_for(lambda: self.layer("return canvas.width") == round(420 * ratio), 5,
                     f"the game window drawn at {ratio}")
            self.assert_on_the_grid(ratio)
            # The screen shows a new drawing a frame or two after the canvas has it.
            shown = lambda: self.shown_wall_cell(ratio)
            wait_for(lambda: list(self.drawn_wall_cell(ratio).getdata()) == list(shown().getdata()), 3,
                     f"the wall cell shown as drawn at {ratio}")
            self.assertEqual(set(shown().getdata()), {RED, BLUE, BLACK}, f"the wall cell's colours at {ratio}")
        # A window dragged by its title bar lands on the grid too.
        self.zoom(1.25)
        wait_for(lambda: self.canvases()[0][4] == 525, 5, "the game window drawn at 1.25")
        title_bar = self.window("Blokko").find_element(By.CSS_SELECTOR, ".titlebar")
        before = self.canvases()[0][:2]
        ActionChains(self.driver).drag_and_drop_by_offset(title_bar, 37, 21).perform()
        after = self.canvases()[0][:2]
        moved = [(a - b) / 1.25 for a, b in zip(after, before)]  # CSS pixels; a nudge is a few at most
        self.assertTrue(abs(moved[0] - 37) <= 4 and abs(moved[1] - 21) <= 4, f"dragged by {moved}")
        self.assert_on_the_grid(1.25)

    # --- installable ---------------------------------------------------------------------------------

    def test_the_linked_manifest_makes_the_page_installable_from_its_own_folder(self):
        self.load()
        href = self.js("return document.querySelector('link[rel=\"manifest\"]').href")
        parsed = self.driver.execute_cdp_cmd("Page.getAppManifest", {})
        self.assertEqual(parsed["url"], href)
        self.assertEqual(parsed["errors"], [], "Chromium parses the manifest")
        self.assertEqual(self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"], [],
                         "Chromium finds the page installable")
        manifest = json.loads(parsed["data"])
        self.assertEqual(manifest["name"], "Blokko")
        self.assertTrue(manifest["short_name"])
        self.assertEqual(manifest["display"], "standalone")
        # Relative to the manifest, which lies beside the page: any folder of any server.
        self.assertEqual((manifest["start_url"], manifest["scope"]), ("./", "./"))
        for key in ("theme_color", "background_color"):
            self.assertRegex(manifest[key], r"^#[0-9a-f]{6}$")
        sizes = {}
        for icon in manifest["icons"]:
            with urllib.request.urlopen(urllib.request.urljoin(href, icon["src"])) as response:
                image = Image.open(io.BytesIO(response.read()))
            self.assertEqual(icon["type"], "image/png")
            self.assertEqual(image.format, "PNG")
            self.assertEqual(icon["sizes"], f"{image.width}x{image.height}", icon["src"])
            for purpose in icon.get("purpose", "any").split():
                sizes.setdefault(purpose, set()).add(image.width)
            if "maskable" in icon.get("purpose", ""):
                self.assert_inside_the_safe_zone(image.convert("RGB"))
        self.assertLessEqual({192, 512}, sizes.get("any", set()))
        self.assertIn("maskable", sizes)
        # Nothing came from another origin.
        names = self.js("return performance.getEntriesByType('resource').map((e) => e.name)")
        self.assertTrue(names)
        self.assertEqual([n for n in names if not n.startswith(self.server.url)], [])

    def assert_inside_the_safe_zone(self, image):
        """A launcher may cut a maskable icon to the circle of 80 % of its size: outside it, only the
        background."""
        size = image.width
        background = image.getpixel((0, 0))
        outside = {image.getpixel((x, y)) for x in range(0, size, 4) for y in range(0, size, 4)
                   if (x - size / 2) ** 2 + (y - size / 2) ** 2 > (0.4 * size) ** 2}
        self.assertEqual(outside, {background}, "the maskable icon's content outside its safe zone")

    # --- offline -------------------------------------------------------------------------------------

    def wait_controlled(self):
        wait_for(lambda: self.js("return !!navigator.serviceWorker.controller"), 15,
                 "the service worker to control the page")

    def caches(self):
        return self.driver.execute_async_script("caches.keys().then(arguments[0])")

    def test_the_workers_name_is_a_hash_of_the_files_it_keeps(self):
        """The built worker is named after the files as they are, and any change to one renames it."""
        built, files = worker_build(SITE)
        with tempfile.TemporaryDirectory() as site:
            for name in files:
                os.makedirs(os.path.dirname(os.path.join(site, name)), exist_ok=True)
                shutil.copyfile(os.path.join(SITE, name), os.path.join(site, name))
            generate = [sys.executable, os.path.join(ROOT, "web/service_worker.py"), site,
                        os.path.join(ROOT, "web/service-worker.js"), os.path.join(site, "service-worker.js"), *files]
            subprocess.run(generate, check=True)
            self.assertEqual(worker_build(site), (built, files), "the build's worker is that of its files")
            with open(os.path.join(site, "blokko-engine.wasm"), "ab") as f:
                f.write(b"\0")
            subprocess.run(generate, check=True)
            self.assertNotEqual(worker_build(site)[0], built, "a changed file renames the cache")

    def test_a_second_visit_plays_offline_and_a_new_build_replaces_the_cache(self):
        site = tempfile.mkdtemp(prefix="blokko-offline-")
        try:
            shutil.copytree(SITE, site, dirs_exist_ok=True, ignore=shutil.ignore_patterns("CMakeFiles", "tests"))
            self.server.stop()
            port = free_port()
            self.server = Server(site, port)
            self.load()
            self.wait_controlled()
            [first] = self.caches()
            # No network: the server stops, every request would fail.
            self.server.stop()
            self.driver.refresh()
            wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame offline")
            fonts = self.js("return [...document.fonts].map((f) => f.status)")
            self.assertTrue("loaded" in fonts and "error" not in fonts, f"the fonts offline: {fonts}")
            self.start_game()
            wait_for(lambda: self.ticks(2) > 0, 5, "the game to run offline")
            # A new build: its worker (another name) takes over on the next visit and drops the old cache.
            build = worker_build(site)[0]
            worker = os.path.join(site, "service-worker.js")
            with open(worker) as f:
                text = f.read()
            with open(worker, "w") as f:
                f.write(text.replace(json.dumps(build), json.dumps("next-build")))
            self.server = Server(site, port)
            self.load()
            wait_for(lambda: self.caches() == [first.replace(build, "next-build")], 15, "the new build's cache only")
        finally:
            shutil.rmtree(site, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(run(sys.argv))
