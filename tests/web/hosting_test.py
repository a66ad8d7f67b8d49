"""Hosting the page: the site folder holds only the page, scripts/lib/serve.py serves nothing else and
says which policy the page plays under, and the page, when it cannot start, says why.

    /usr/bin/python3 tests/web/hosting_test.py BUILD_WEB_FOLDER
"""

import os
import re
import shutil
import socket
import sys
import tempfile
import threading
import time
import unittest

from selenium.webdriver.common.by import By

from harness import ROOT, BrowserCase, Server, wait_for, run

sys.path.insert(0, os.path.join(ROOT, "scripts", "lib"))
import serve  # noqa: E402

SITE = None  # set from the command line
SECRET = "not for visitors"


def fetch(port, target, timeout=5):
    """The raw answer of the server to `GET target` (not normalised by any client): status, headers, body."""
    with socket.create_connection(("127.0.0.1", port), timeout=timeout) as s:
        s.sendall(f"GET {target} HTTP/1.0\r\n\r\n".encode("latin-1"))
        data = b""
        while chunk := s.recv(65536):
            data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    headers = dict(line.split(": ", 1) for line in lines[1:])
    return int(lines[0].split()[1]), headers, body.decode("latin-1")


class SiteAndServerTest(unittest.TestCase):
    """The built site, and serve.py run as scripts/web.sh runs it on a folder with links in and out."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp()
        folder = os.path.join(cls.work, "site")
        os.makedirs(os.path.join(folder, "page"))
        shutil.copy(os.path.join(SITE, "index.html"), folder)
        shutil.copy(os.path.join(SITE, "blokko-engine.wasm"), folder)
        shutil.copy(os.path.join(SITE, "page", "main.js"), os.path.join(folder, "page"))
        for name in ("secret.txt", os.path.join("site", ".hidden")):
            with open(os.path.join(cls.work, name), "w") as f:
                f.write(SECRET)
        os.symlink(os.path.join(cls.work, "secret.txt"), os.path.join(folder, "outside"))
        os.symlink(cls.work, os.path.join(folder, "up"))
        os.symlink(os.path.join(folder, "page", "main.js"), os.path.join(folder, "inside.js"))
        cls.server = Server(folder)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        shutil.rmtree(cls.work)

    def get(self, target):
        return fetch(self.server.port, target)

    def test_the_site_holds_none_of_the_builds_files(self):
        names = set(os.listdir(SITE))
        self.assertIn("index.html", names)
        for name in ("CMakeCache.txt", "compile_commands.json", ".ninja_log", ".ninja_deps", "CMakeFiles",
                     "build.ninja", "cmake_install.cmake", "CTestTestfile.cmake"):
            self.assertNotIn(name, names)
        self.assertEqual([n for n in names if n.endswith(".a")], [])

    def test_serves_the_files_with_their_types_and_the_pages_policy(self):
        status, headers, body = self.get("/")
        self.assertEqual(status, 200)
        self.assertTrue(headers["Content-Type"].startswith("text/html"))
        self.assertEqual(headers["X-Content-Type-Options"], "nosniff")
        meta = re.search(r'<meta http-equiv="Content-Security-Policy" content="([^"]*)">', body).group(1)
        self.assertEqual(headers["Content-Security-Policy"], f"{meta}; frame-ancestors 'none'")
        directives = dict((d.split()[0], d.split()[1:]) for d in meta.split("; "))
        self.assertEqual(directives["default-src"], ["'self'"])
        self.assertEqual(directives["script-src"], ["'self'", "'wasm-unsafe-eval'"])
        for target, kind in (("/page/main.js", "text/javascript"), ("/blokko-engine.wasm", "application/wasm"),
                             ("/inside.js", "text/javascript")):
            status, headers, _ = self.get(target)
            self.assertEqual((status, headers["Content-Type"].split(";")[0]), (200, kind), target)
            self.assertEqual(headers["X-Content-Type-Options"], "nosniff")

    def test_refuses_folders_links_out_escapes_and_bad_paths(self):
        refused = {
            "/page/": (404,), "/page": (301, 404), "/up/": (404,), "/outside": (404,), "/up/secret.txt": (404,),
            "/.hidden": (404,), "/nothing.js": (404,),
            "/../secret.txt": (400,), "/page/../../secret.txt": (400,), "/%2e%2e/secret.txt": (400,),
            "/page%2f..%2f..%2fsecret.txt": (400,), "/%2fetc%2fpasswd": (400,), "/page%5c..%5cmain.js": (400,),
            "/%00": (400,), "/index.html%00.js": (400,), "/%ff": (400,), "nothing": (400,),
        }
        for target, statuses in refused.items():
            status, _, body = self.get(target)
            self.assertIn(status, statuses, target)
            self.assertNotIn(SECRET, body, target)
            self.assertNotIn("main.js", body, target)
        self.assertNotIn("Traceback", self.server.stop())
        type(self).server = Server(os.path.join(self.work, "site"))

    def test_closes_an_idle_connection(self):
        with socket.create_connection(("127.0.0.1", self.server.port)) as s:
            s.settimeout(serve.IDLE_SECONDS + 5)
            start = time.monotonic()
            self.assertEqual(s.recv(1), b"")  # closed by the server, not by this timeout
            self.assertLess(time.monotonic() - start, serve.IDLE_SECONDS + 2)
        self.assertEqual(self.get("/")[0], 200)  # and still serves


# How many colours a canvas `c` holds: a drawn window has more than one.
COLOURS = ("const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; const s = new Set();"
           "for (let i = 0; i < d.length; i += 4) s.add(d[i] << 16 | d[i + 1] << 8 | d[i + 2]);"
           "return s.size;")


class Variant:
    """serve.py in this process with a handler of the test's, as a misconfigured host would serve the site."""

    def __init__(self, handler):
        self.server = serve.serve(SITE, 0, handler)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def page_handler(**changes):
    return type("Misconfigured", (serve.Handler,), {"policy": serve.page_policy(SITE), **changes})


class WithoutNosniff(serve.Handler):
    def send_header(self, keyword, value):
        if keyword != "X-Content-Type-Options":
            super().send_header(keyword, value)


class PageTest(BrowserCase):
    """The page under its policy, and each way it cannot start."""

    def notice(self):
        return self.driver.find_element(By.ID, "loading").text

    def cannot_start(self, url, *words):
        """Loads the page at `url`; it must say, soon, that it cannot start and why (every one of `words`)."""
        self.driver.get(url)
        text = wait_for(lambda: self.js("const n = document.getElementById('loading'); "
                                        "return n && n.textContent.startsWith('Blokko cannot') && n.textContent"),
                        5, f"the notice saying {words}")
        for word in words:
            self.assertIn(word, text)
        self.assertNotIn("Aborted", text)
        self.assertTrue(self.js("return !!window.blokkoBoot"), "page/boot.js ran to its end")
        self.assertFalse(self.js("return !!window.blokkoPage"))

    def js(self, script):
        return self.driver.execute_script(script)

    def with_variant(self, handler, *words):
        variant = Variant(handler)
        try:
            self.cannot_start(variant.url, *words)
        finally:
            variant.stop()

    def test_plays_under_its_policy(self):
        server = Server(SITE)
        watch = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": (
            "window.violations = [];"
            "document.addEventListener('securitypolicyviolation', (e) => violations.push(e.violatedDirective));")})
        try:
            self.driver.get_log("browser")  # only this load counts
            self.driver.get(server.url)
            wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame")
            self.assertEqual(self.js("return violations"), [])
            self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"], [])
            # Drawn: the difficulty window's bottom layer has pixels of more than one colour.
            self.assertGreater(self.js("return blokkoPage.layer('Form2').then((c) => {" + COLOURS + "})"), 1)
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", watch)
            server.stop()

    def test_plays_on_the_page_where_the_game_cannot_run_in_a_worker(self):
        # The worker's own answer carries a policy without WebAssembly: it cannot compile the engine.
        class NoWasmInWorker(page_handler()):
            def send_header(self, keyword, value):
                if keyword == "Content-Security-Policy" and self.path.endswith("/game_worker.js"):
                    value = "default-src 'self'"
                super().send_header(keyword, value)
        variant = Variant(NoWasmInWorker)
        try:
            self.driver.get(variant.url)
            wait_for(lambda: self.js("return !!window.blokkoPage"), 10, "the first frame")
            # The page kept its canvases and drew on them itself.
            self.assertGreater(self.js("const c = document.querySelector('canvas');" + COLOURS), 1)
        finally:
            variant.stop()

    def test_says_a_file_must_be_served(self):
        self.cannot_start("file://" + os.path.join(SITE, "index.html"), "opened as a file", "web server")

    def test_says_which_type_scripts_need(self):
        self.with_variant(type("TextJs", (WithoutNosniff,), {
            "policy": serve.page_policy(SITE), "types": {**serve.TYPES, ".js": "text/plain"}}),
            'the web server sends ', '.js as "text/plain"', ".js files as text/javascript")

    def test_says_the_engine_is_missing(self):
        def file(handler, segments):
            return None if segments[-1:] == ["blokko-engine.wasm"] else serve.Handler.file(handler, segments)
        self.with_variant(page_handler(file=file), "no blokko-engine.wasm", "404", "copy every file")

    def test_says_the_policy_must_allow_webassembly(self):
        self.with_variant(page_handler(policy="default-src 'self'"), "Content-Security-Policy",
                          "script-src 'self' 'wasm-unsafe-eval'")

    def test_says_webassembly_is_needed(self):
        server = Server(SITE)
        hide = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                           {"source": "delete window.WebAssembly;"})
        try:
            self.cannot_start(server.url, "no WebAssembly")
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", hide)
            server.stop()

    def test_says_why_within_10_s_when_the_engine_does_not_come(self):
        held = threading.Event()

        def answer(handler, body):
            if handler.path.endswith(".wasm"):
                held.wait(30)
            serve.Handler.answer(handler, body)
        variant = Variant(page_handler(answer=answer, timeout=60))
        try:
            self.driver.get(variant.url)
            self.assertEqual(self.notice(), "Loading Blokko…")
            wait_for(lambda: "still loading after 10 seconds" in self.notice(), 12, "the notice after 10 s")
            self.assertIn("reload the page", self.notice())
        finally:
            held.set()
            variant.stop()

    def test_says_why_within_10_s_when_no_script_runs(self):
        # With nosniff, scripts of the wrong type are refused outright: only the stylesheet is left to speak.
        # Its animations run twice as fast here, so its 10 s pass in 5.
        variant = Variant(page_handler(types={**serve.TYPES, ".js": "text/plain"}))
        try:
            self.driver.execute_cdp_cmd("Animation.enable", {})
            self.driver.execute_cdp_cmd("Animation.setPlaybackRate", {"playbackRate": 2})
            self.driver.get(variant.url)
            stalled = self.driver.find_element(By.ID, "stalled")
            self.assertFalse(stalled.is_displayed())
            self.assertTrue(self.driver.find_element(By.ID, "loading").is_displayed())
            wait_for(stalled.is_displayed, 12, "the reasons after 10 s")
            self.assertFalse(self.driver.find_element(By.ID, "loading").is_displayed())
            self.assertIn("text/javascript", stalled.text)
            self.assertEqual(self.js("return getComputedStyle(document.getElementById('stalled')).animationDelay"),
                             "10s")
        finally:
            self.driver.execute_cdp_cmd("Animation.setPlaybackRate", {"playbackRate": 1})
            variant.stop()


if __name__ == "__main__":
    sys.exit(run(sys.argv))
