"""Figures of the page in headless Chromium, served from 127.0.0.1 (scripts/bench-web.sh prints them):

- load to first frame: navigation start to the difficulty window's first frame (the page's own mark,
  after the module and the fonts), with the browser's cache off, median of LOADS loads;
- CPU over PLAY_SECONDS of play, while a game at "Easy" is played with keys every 100 to 300 ms and
  "Game Over" is pressed whenever a game ends: the CPU time of the page's main thread (where its
  script, the engine and the canvas drawing run), of the whole renderer, and of every Chromium process
  (browser, renderer, GPU: headless Chromium composites in software), over the wall time. Each of
  PLAYS plays starts from a fresh load, a moment after the first frame, as a player would. The floor
  page is played over the same seconds in a browser of its own, with the same keys: a shared machine
  runs faster or slower from one minute to the next, and both pages then meet the same minute. Figures
  are the medians of the plays, with their lowest and highest (`_low`, `_high`); the page against the
  floor is the median of each play's ratio (`floor_ratio_`).
  Each play is also made with the on-screen controls shown (touch emulation, the same viewport: the
  desk layout with the controls under the game window) and the same keys (`touch_`); once more with the
  keys tapped on the controls instead (`taps_`), and once with as many taps on the bare desk
  (`desk_taps_`: what the browser spends on touch input whatever is tapped);
- a tap on a control to the frame that shows its move, over TAPS taps on "Shift left" and "Shift right"
  during play at "Easy": from the pointerdown's timeStamp to the end of the frame that drew the move,
  and its parts: the tap's delivery to the page, the wait for the next play tick (the game
  draws a key's move with its next tick, every 50 ms, by design) and that tick to the frame drawn.

    /usr/bin/python3 bench/web_page_bench.py BUILD_WEB_FOLDER
Prints RESULT<TAB>key<TAB>value lines.
"""

import os
import random
import shutil
import statistics
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import harness  # noqa: E402  the browser tests' server and browser

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

# The floor: a page with one canvas of the game window's size where a piece-sized block moves 20 times a
# second, drawn the way the page draws (a timer's task repainting the changed area of a desynchronized
# canvas).
# Its script is a file of its own: the server's policy allows no inline script.
FLOOR_PAGE = """<!doctype html><meta charset="utf-8"><title>floor</title>
<canvas id="c" width="420" height="432"></canvas><script src="floor.js"></script>"""
FLOOR_SCRIPT = """const ctx = document.getElementById('c').getContext('2d', { alpha: false, desynchronized: true });
ctx.fillStyle = '#ff0'; ctx.fillRect(0, 0, 420, 432);
let y = 0;
function frame() {
    ctx.fillStyle = '#ff0'; ctx.fillRect(100, y, 60, 80);
    y = (y + 6) % 350;
    ctx.fillStyle = '#00f'; ctx.fillRect(100, y, 60, 80);
}
setInterval(frame, 50);
window.blokkoPage = { firstFrame: performance.now(), ticks: { 1: 0 } };
"""

LOADS = int(os.environ.get("LOADS", "10"))
TAPS = int(os.environ.get("TAPS", "60"))
PLAY_SECONDS = float(os.environ.get("PLAY_SECONDS", "30"))
PLAYS = int(os.environ.get("PLAYS", "3"))
SETTLE_SECONDS = 2  # from the first frame to the key that starts the game


def chromium_cpu_seconds(profile, kind=None, main_thread=False):
    """CPU time (user + system) of the Chromium processes that use this profile folder; of one kind
    only (renderer, gpu-process) when asked, and of their main threads only."""
    ticks = os.sysconf("SC_CLK_TCK")
    total = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                cmdline = f.read()
            if profile.encode() not in cmdline or (kind and f"--type={kind}".encode() not in cmdline):
                continue
            with open(f"/proc/{pid}/task/{pid}/stat" if main_thread else f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            continue
    return total / ticks


def play(driver, seconds, taps=None):
    """Keys every 100 to 300 ms, in through the browser's input pipeline as a keyboard's are (or, with
    `taps`, the places of the on-screen controls by key code, a finger's tap on the control instead), and
    a look for "Game Over" once a second (clicked when shown, so play goes on). The floor page gets the
    same, so that it costs what the browser spends on the input and the harness. Returns the time played
    and the keys sent."""
    keys = [("ArrowLeft", 37), ("ArrowRight", 39), ("KeyA", 65), ("KeyS", 83), ("ArrowDown", 40)]
    rng = random.Random(7)
    start = time.monotonic()
    sent = 0
    next_look = start + 1
    while time.monotonic() - start < seconds:
        time.sleep(rng.uniform(0.1, 0.3))
        code, vk = rng.choice(keys)
        if taps:
            tap(driver, *taps[code])
        else:
            for kind in ("rawKeyDown", "keyUp"):
                driver.execute_cdp_cmd("Input.dispatchKeyEvent",
                                       {"type": kind, "code": code, "key": code, "windowsVirtualKeyCode": vk})
        sent += 1
        if time.monotonic() >= next_look:
            next_look += 1
            driver.execute_script("""
                const over = [...document.querySelectorAll('button')].find(
                    (b) => b.getAttribute('aria-label') === 'Game Over' && !b.hidden);
                if (over) {
                    over.click();
                    document.querySelector('[data-window="Blokko"] .client').focus();
                }""")
    return time.monotonic() - start, sent


def tap(driver, x, y):
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def touch_emulation(driver, on):
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": on, "maxTouchPoints": 5})


def control_places(driver):
    """The centre of each on-screen control, by the key code it sends."""
    return harness.wait_for(lambda: driver.execute_script("""
        const places = {};
        for (const b of document.querySelectorAll('button[data-key]')) {
            const r = b.getBoundingClientRect();
            if (r.width === 0)
                return null;
            places[b.dataset.key] = [r.left + r.width / 2, r.top + r.height / 2];
        }
        return places;"""), 10, "the on-screen controls")


# Page-side record of each tap on a control: its event time, when the page had handled it, and the end of
# the frame the next play tick drew (the frame that draws the move; the game draws it in the tick's task).
# The game's counts come by a request, which the game answers between its tasks.
TAP_PROBE = """
    window.tapRecords = [];
    let pending = null;
    document.addEventListener('pointerdown', (e) => {
        if (!e.target.closest('[data-key]'))
            return;
        const tap = pending = { at: e.timeStamp, ticks: null, handled: null };
        blokkoPage.stats().then((s) => { tap.ticks = s.ticks[1]; });
    }, true);
    window.addEventListener('pointerdown', () => {
        if (pending && pending.handled === null)
            pending.handled = performance.now();
    });
    let asking = false;
    setInterval(() => {
        if (!pending || pending.ticks === null || asking)
            return;
        asking = true;
        blokkoPage.stats().then((s) => {
            asking = false;
            if (!pending || pending.ticks === null || s.ticks[1] === pending.ticks)
                return;
            const tick = s.tickTimes[1].last;
            if (s.ticks[1] === pending.ticks + 1 && s.drawn.at >= tick) {
                window.tapRecords.push({ ...pending, tick, drawn: s.drawn.at });
                pending = null;
            } else if (s.ticks[1] > pending.ticks + 1) {
                pending = null; // two ticks before a frame: not a frame this page would show
            }
        });
    }, 1);"""


def measure_taps(driver, server):
    """Taps on "Shift left" and "Shift right" during play at "Easy"; returns the page's records."""
    touch_emulation(driver, True)
    try:
        driver.get(server.url)
        harness.wait_for(lambda: driver.execute_script("return !!window.blokkoPage"), 10, "the first frame")
        time.sleep(SETTLE_SECONDS)
        ActionChains(driver).send_keys(Keys.ENTER).perform()
        harness.wait_for(lambda: driver.execute_script("return blokkoPage.stats().then((s) => s.ticks[1] > 10)"), 15, "play")
        places = control_places(driver)
        driver.execute_script(TAP_PROBE)
        rng = random.Random(11)
        for i in range(TAPS):
            tap(driver, *places["ArrowLeft" if i % 2 else "ArrowRight"])
            time.sleep(rng.uniform(0.15, 0.25))
        return driver.execute_script("return window.tapRecords")
    finally:
        touch_emulation(driver, False)


def ratio(a, b):
    return a / b if b > 0 else float("nan")


def print_spread(name, values):
    """A figure over the plays: its median, lowest and highest (`_low`, `_high`)."""
    values = sorted(values)
    print(f"RESULT\t{name}\t{statistics.median(values):.2f}")
    print(f"RESULT\t{name}_low\t{values[0]:.2f}")
    print(f"RESULT\t{name}_high\t{values[-1]:.2f}")


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main():
    site = sys.argv[1]
    server = harness.Server(site)
    profile = tempfile.mkdtemp(prefix="blokko-bench-")
    driver = harness.start_browser(1, [f"--user-data-dir={profile}"])
    floor = Floor(server, site)
    try:
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        # A first visit's load: the page's service worker, installed by the first load, serves none.
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
        driver.get(server.url)  # warm the server and the browser
        firsts = []
        for _ in range(LOADS):
            driver.get(server.url)
            harness.wait_for(lambda: driver.execute_script("return !!window.blokkoPage"), 10, "the first frame")
            firsts.append(driver.execute_script("return window.blokkoPage.firstFrame"))
        print(f"RESULT\tfirst_frame_ms\t{statistics.median(firsts):.1f}")

        records = measure_taps(driver, server)
        if records:
            print(f"RESULT\ttaps\t{len(records)}")
            for key, since, until in (("tap_to_move_frame", "at", "drawn"), ("tap_delivery", "at", "handled"),
                                      ("tap_tick_wait", "handled", "tick"), ("tap_tick_to_frame", "tick", "drawn")):
                values = [r[until] - r[since] for r in records]
                print(f"RESULT\t{key}_ms\t{statistics.median(values):.1f}")
                print(f"RESULT\t{key}_p95_ms\t{percentile(values, 0.95):.1f}")

        plays, touches = [], []
        for _ in range(PLAYS):
            plays.append(play_page(driver, server, profile, floor=floor))
            touches.append(play_page(driver, server, profile, touch=True)["cpu"])
        # Taps cost the browser more than keys, whatever they land on: one play tapping the controls,
        # one tapping the desk beside them.
        for prefix, place in (("taps_", None), ("desk_taps_", (100, 700))):
            cpu = play_page(driver, server, profile, touch=True, taps=True, place=place)["cpu"]
            for key, value in cpu.items():
                print(f"RESULT\t{prefix}{key}\t{value:.2f}")
        first = plays[0]
        parade_ticks, parade = first["parade"]
        print(f"RESULT\tparade_ticks\t{parade_ticks}")
        # The parade runs without a stop: from its first tick's due time to its last tick, over the
        # intervals between. The game window's first frame is drawn as the parade starts and holds its
        # first ticks back a few milliseconds; the clock then catches up, so the parade keeps its pace
        # and ends on time, which is what this shows.
        print(f"RESULT\tparade_mean_ms\t{(parade['last'] - parade['firstDue']) / max(1, parade_ticks - 1):.3f}")
        times = first["times"]
        print(f"RESULT\ttimer1_mean_ms\t{times['sum'] / max(1, times['intervals']):.3f}")
        print(f"RESULT\tplay_seconds\t{first['wall']:.1f}")
        print(f"RESULT\tplays\t{len(plays)}")
        print(f"RESULT\tkeys\t{first['sent']}")
        print(f"RESULT\ttimer1_ticks\t{first['ticks']}")
        for key in first["cpu"]:
            print_spread(key, [p["cpu"][key] for p in plays])
            print_spread(f"floor_{key}", [p["floor"][key] for p in plays])
            print_spread(f"floor_ratio_{key}", [ratio(p["cpu"][key], p["floor"][key]) for p in plays])
            print_spread(f"touch_{key}", [cpu[key] for cpu in touches])
    finally:
        floor.close()
        driver.quit()
        server.stop()
        shutil.rmtree(profile, ignore_errors=True)


def play_page(driver, server, profile, touch=False, taps=False, place=None, floor=None):
    """One play of the page from a fresh load: the parade's ticks, Timer1's, the keys sent and the CPU
    figures over the play; with `touch`, on a touch screen (the controls shown), with `taps` by taps on
    the controls (or all at `place`) instead of keys; with `floor`, the floor's figures over the same
    seconds."""
    if floor:
        floor.load()
    touch_emulation(driver, touch)
    driver.get(server.url)
    harness.wait_for(lambda: driver.execute_script("return !!window.blokkoPage"), 10, "the first frame")
    time.sleep(SETTLE_SECONDS)
    ActionChains(driver).send_keys(Keys.ENTER).perform()
    harness.wait_for(lambda: driver.execute_script("return blokkoPage.stats().then((s) => s.ticks[1] > 0)"), 10, "play")
    parade = driver.execute_script("return blokkoPage.stats().then((s) => [s.ticks[2], s.tickTimes[2]])")
    try:
        places = control_places(driver) if taps else None
        if places and place:
            places = {code: place for code in places}
        if floor:
            floor.start(PLAY_SECONDS)
        wall, sent, cpu = measure_play(driver, profile, PLAY_SECONDS, places)
    finally:
        touch_emulation(driver, False)
    return {
        "parade": parade,
        "wall": wall,
        "sent": sent,
        "ticks": driver.execute_script("return blokkoPage.stats().then((s) => s.ticks[1])"),
        "times": driver.execute_script("return blokkoPage.stats().then((s) => s.tickTimes[1])"),
        "cpu": cpu,
        "floor": floor.result() if floor else None,
    }


class Floor:
    """The floor page in a browser of its own (its own processes, so that nothing of the page's is
    counted as the floor's), played at the same time as a play of the page."""

    def __init__(self, server, site):
        self.url = server.url + "bench-floor/"
        self.folder = os.path.join(site, "bench-floor")
        os.makedirs(self.folder, exist_ok=True)
        for name, text in (("index.html", FLOOR_PAGE), ("floor.js", FLOOR_SCRIPT)):
            with open(os.path.join(self.folder, name), "w") as f:
                f.write(text)
        self.profile = tempfile.mkdtemp(prefix="blokko-floor-")
        self.driver = harness.start_browser(1, [f"--user-data-dir={self.profile}"])
        self.thread = None
        self.figures = None

    def load(self):
        """A fresh load, settled by the time the page's play starts."""
        self.driver.get(self.url)

    def start(self, seconds):
        def play():
            self.figures = measure_play(self.driver, self.profile, seconds)[2]
        self.figures = None
        self.thread = threading.Thread(target=play)
        self.thread.start()

    def result(self):
        """The CPU figures of the play started last (after it ends)."""
        self.thread.join()
        if self.figures is None:
            raise RuntimeError("the floor's play failed")
        return self.figures

    def close(self):
        if self.thread:
            self.thread.join()  # a play still running when the page's failed
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
        shutil.rmtree(self.folder, ignore_errors=True)


def measure_play(driver, profile, seconds, taps=None):
    """Plays for `seconds`; returns the time played, the keys sent and the CPU figures in % of a core."""
    before = cpu_figures(profile)
    wall, sent = play(driver, seconds, taps)
    after = cpu_figures(profile)
    return wall, sent, {key: 100 * (after[key] - before[key]) / wall for key in before}


def cpu_figures(profile):
    """CPU seconds so far: the page's main thread, the renderer process, every Chromium process."""
    return {
        "page_main_thread_percent": chromium_cpu_seconds(profile, "renderer", main_thread=True),
        "renderer_percent": chromium_cpu_seconds(profile, "renderer"),
        "chromium_percent": chromium_cpu_seconds(profile),
    }


if __name__ == "__main__":
    main()
