"""What every browser test shares: the server of the built page, a headless Chromium, waiting.

A test module sets SITE (the built page's folder) from its command line before it starts a Server.
"""

import os
import socket
import subprocess
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

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


def run(argv):
    """Runs the unittest cases of the calling module on the folder named by argv[1]; returns the exit status."""
    import sys
    import unittest
    folder = os.path.abspath(argv.pop(1))
    main = sys.modules["__main__"]
    main.SITE = folder
    program = unittest.main(module=main, verbosity=2, exit=False)
    result = program.result
    failed = len(result.failures) + len(result.errors)
    print(f"{os.path.basename(argv[0])}: {result.testsRun - failed} passed, {failed} failed")
    return 0 if result.wasSuccessful() and result.testsRun > 0 else 1

