"""The parity test: one game (tests/parity/game.script) played by the desktop program (offscreen Qt) and by
the page (headless Chromium) at device pixel ratios 1 and 2; at each `shot` every shown window's client area
must have the same pixels on both wherever no text is drawn (labels, buttons and the scroll bar are left
out: their widgets look different by design), the same texts, and every button's caption must fit. The
script is checked too: each shot shows what it is named for, and the desktop program's state there is
blokko-trace's for the same script.

    parity_test.py SITE BUILD OUT    (SITE: build/web; BUILD: build/ci; OUT: where failures are written)

On a difference, OUT/RATIOx/SHOT.WINDOW.{desktop,page,diff}.png are written and the first differing pixel
is named with the item drawn there.
"""

import base64
import io
import os
import re
import shutil
import subprocess
import sys

import numpy
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "web"))
import harness  # noqa: E402

SCRIPT = os.path.join(HERE, "game.script")
RATIOS = (1, 2)
WINDOWS = ("difficulty", "game")


def read_script():
    """The script as segments: (commands up to a shot, the shot's name)."""
    segments, commands = [], []
    with open(SCRIPT) as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "shot":
                segments.append((commands, words[1]))
                commands = []
            else:
                commands.append(words)
    return segments


# What each shot must show, checked on the engine's own state (the script played by blokko-trace): a
# script that no longer reaches its checkpoints fails here rather than comparing the wrong pictures. The
# curtain is open at "play".
def timer(d, n):
    interval, enabled = re.search(rf"Timer{n}=(\d+),(\d)", d["timers"]).groups()
    return int(interval) > 0 and enabled == "1"


def field(d, line, name):
    return re.search(rf"\b{name}=(-?[\d.]+)", d[line]).group(1)


EXPECTED = {
    "start": lambda d, shots: "loaded=0" in d["form1"] and "visible=1" in d["form2"],
    "parade": lambda d, shots: timer(d, 2) and d["curtain"] != shots["play"]["curtain"],
    "paused": lambda d, shots: "pause=1" in d["buttons"] and d["curtain"] != shots["play"]["curtain"],
    "play": lambda d, shots: not timer(d, 3) and int(field(d, "counters", "blocks")) >= 3
    and "@" in d["box"] and "@" in d["preview"],
    "gameover": lambda d, shots: "gameover=1" in d["buttons"],
    "intense": lambda d, shots: d["difficulty"] == "4" and int(field(d, "vars", "level")) >= 1
    and int(field(d, "vars", "piece")) >= 8,
}


def trace_states(build):
    """The engine's state at each shot, as blokko-trace prints it for the script; and what is wrong with
    the shots."""
    with open(SCRIPT) as f:
        lines = ["dump" if l.split()[:1] == ["shot"] else l for l in f]
    run = subprocess.run([os.path.join(build, "blokko-trace")], input="".join(lines), capture_output=True,
                         text=True)
    if run.returncode != 0:
        return {}, [f"blokko-trace stopped on the script: {run.stderr.strip()}"]
    blocks = [block + "end\n" for block in run.stdout.split("end\n")[:-1]]
    texts = dict(zip((name for _, name in read_script()), blocks))
    shots = {name: {l.partition(" ")[0]: l.partition(" ")[2] for l in reversed(text.splitlines())}
             for name, text in texts.items()}
    missing = [name for name in EXPECTED if name not in shots]
    if missing:
        return texts, [f"the script has no shot {', '.join(missing)}"]
    problems = []
    for name, d in shots.items():
        if name in EXPECTED and not EXPECTED[name](d, shots):
            shown = "\n".join(f"  {k} {v}" for k, v in d.items() if k in ("form1", "vars", "timers", "buttons"))
            problems.append(f"shot {name} does not show what it should:\n{shown}")
    return texts, problems


def desktop_shots(build, out, ratio, states):
    """Plays the script on the desktop; returns its folder of shots and whether its program went as the
    engine alone goes."""
    folder = os.path.join(out, f"desktop-{ratio}x")
    shutil.rmtree(folder, ignore_errors=True)
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    env.update(QT_QPA_PLATFORM="offscreen", QT_SCALE_FACTOR=str(ratio))
    run = subprocess.run([os.path.join(build, "tests/parity/blokko_parity_desktop"), SCRIPT, folder],
                         env=env, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        return folder, [f"{ratio}x: the desktop half stopped: {run.stderr.strip()}"]
    problems = []
    for name, expected in states.items():
        with open(os.path.join(folder, f"{name}.state")) as f:
            got = f.read().splitlines()
        differing = [(e, g) for e, g in zip(expected.splitlines(), got) if e != g]
        if differing or len(got) != len(expected.splitlines()):
            e, g = differing[0] if differing else ("", "")
            problems.append(f"{ratio}x {name}: the desktop program's state is not blokko-trace's: "
                            f"'{g}' instead of '{e}'")
    return folder, problems


def read_items(path):
    """Each shown item, back to front: (kind, draws text, outer rectangle, rounded rectangle, name)."""
    items = []
    with open(path) as f:
        for line in f:
            kind, text, *numbers = line.split(" ", 10)
            items.append((kind, text == "1", tuple(map(int, numbers[:4])), tuple(map(int, numbers[4:8])),
                          numbers[8].strip()))
    return items


def text_mask(items, size):
    """True where text may be drawn: labels with text, buttons and the scroll bar, unless a panel drawn
    later covers them."""
    mask = numpy.zeros((size[1], size[0]), dtype=bool)
    for kind, text, outer, rounded, _ in items:
        if kind in ("button", "scrollbar") or (kind == "label" and text):
            x0, y0, x1, y1 = (max(v, 0) for v in outer)
            mask[y0:y1, x0:x1] = True
        elif kind == "panel":
            x0, y0, x1, y1 = (max(v, 0) for v in rounded)
            mask[y0:y1, x0:x1] = False
    return mask


def item_at(items, x, y):
    """The frontmost item drawn at a device pixel, else the items whose edge is a pixel away."""
    def within(margin):
        return [f"{name} ({kind}, device pixels {x0},{y0} to {x1},{y1})"
                for kind, _, (x0, y0, x1, y1), _, name in items
                if x0 - margin <= x < x1 + margin and y0 - margin <= y < y1 + margin]
    found = within(0)
    if found:
        return found[-1]
    near = within(1)
    return "the window's background" + (f", at the edge of {' and '.join(near)}" if near else "")


def differing_items(items, differs):
    """The items with the most differing pixels (each pixel counted for the frontmost item there)."""
    owner = numpy.full(differs.shape, -1)
    for i, (_, _, (x0, y0, x1, y1), _, _) in enumerate(items):
        owner[max(y0, 0):max(y1, 0), max(x0, 0):max(x1, 0)] = i
    found, counts = numpy.unique(owner[differs], return_counts=True)
    ranked = sorted(zip(counts, found), reverse=True)[:3]
    return ", ".join(f"{items[i][4] if i >= 0 else 'the background'} ({n})" for n, i in ranked)


def compare(desktop_png, page_png, items, ratio, failures_folder, label):
    """Returns an empty list when the two agree outside text, else what differs (and writes the pictures)."""
    desktop = numpy.asarray(Image.open(desktop_png).convert("RGB")).astype(int)
    page = numpy.asarray(page_png.convert("RGB")).astype(int)
    problems = []
    if desktop.shape != page.shape:
        problems.append(f"{label}: sizes differ: desktop {desktop.shape[1]}x{desktop.shape[0]}, "
                        f"page {page.shape[1]}x{page.shape[0]} device pixels")
    h, w = min(desktop.shape[0], page.shape[0]), min(desktop.shape[1], page.shape[1])
    a, b = desktop[:h, :w], page[:h, :w]
    differs = (a != b).any(axis=2) & ~text_mask(items, (w, h))
    if differs.any():
        y, x = (int(v) for v in numpy.argwhere(differs)[0])
        problems.append(
            f"{label}: {int(differs.sum())} pixels differ; first at device pixel ({x}, {y}) = logical "
            f"({x / ratio:g}, {y / ratio:g}): desktop #{bytes(a[y, x].astype('uint8')).hex()}, page "
            f"#{bytes(b[y, x].astype('uint8')).hex()}, in {item_at(items, x, y)}; most in "
            f"{differing_items(items, differs)}")
    if problems:
        os.makedirs(failures_folder, exist_ok=True)
        base = os.path.join(failures_folder, label.split(" ", 1)[1].replace(" ", "."))
        shutil.copy(desktop_png, base + ".desktop.png")
        page_png.save(base + ".page.png")
        # The difference: differing pixels red, text left out grey, the rest the desktop's, faded.
        diff = (a * 0.3 + 178).astype("uint8")
        diff[text_mask(items, (w, h))] = (128, 128, 128)
        diff[differs] = (255, 0, 0)
        Image.fromarray(diff).save(base + ".diff.png")
        problems[-1] += f" (pictures: {base}.*.png)"
    return problems


def page_shots(site, out, ratio, segments, desktop):
    """Plays the script on the page and compares at each shot; returns what differs."""
    problems = []
    server = harness.Server(site)
    browser = harness.start_browser(ratio)
    try:
        browser.get(server.url + "?test")
        harness.wait_for(lambda: browser.execute_script("return !!window.blokkoTest"), 30,
                         "the page's test entry point")
        browser.execute_script("return blokkoTest.start()")
        for commands, shot in segments:
            error = browser.execute_script("return blokkoTest.play(arguments[0])", commands)
            if error:
                return problems + [f"{ratio}x: the page stopped before shot {shot}: {error}"]
            windows = browser.execute_script("return blokkoTest.windows()")
            ticks = browser.execute_script("return blokkoTest.clockTicks()")
            if ticks:
                problems.append(f"{ratio}x {shot}: the page's clock ticked {ticks} times on its own")
            for name, win in zip(WINDOWS, windows):
                label = f"{ratio}x {shot} {name}"
                path = os.path.join(desktop, f"{shot}.{name}")
                if win["shown"] != os.path.exists(path + ".png"):
                    problems.append(f"{label}: shown on the {'page' if win['shown'] else 'desktop'} only")
                    continue
                if not win["shown"]:
                    continue
                problems += [f"{label}: page caption cut: {c}" for c in win["clipped"]]
                with open(path + ".texts") as f:
                    desktop_texts = [" ".join(t.split()) for t in f]
                page_texts = [" ".join(t.split()) for t in win["texts"]]
                if desktop_texts != page_texts:
                    problems.append(f"{label}: the texts differ: desktop {desktop_texts}, page {page_texts}")
                with open(path + ".clipped") as f:
                    problems += [f"{label}: desktop caption cut: {c.strip()}" for c in f if c.strip()]
                clip = dict(win["client"], scale=1)
                if any(clip[k] * ratio != round(clip[k] * ratio) for k in ("x", "y")):
                    problems.append(f"{label}: the client area is not on whole device pixels: {win['client']}")
                shot_png = browser.execute_cdp_cmd("Page.captureScreenshot", {"format": "png", "clip": clip})
                picture = Image.open(io.BytesIO(base64.b64decode(shot_png["data"])))
                problems += compare(path + ".png", picture, read_items(path + ".items"), ratio,
                                    os.path.join(out, f"{ratio}x"), label)
    finally:
        browser.quit()
        server.stop()
    return problems


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    site, build, out = (os.path.abspath(a) for a in argv[1:])
    for ratio in RATIOS:
        shutil.rmtree(os.path.join(out, f"{ratio}x"), ignore_errors=True)
    states, problems = trace_states(build)
    segments = read_script()
    if not problems:
        for ratio in RATIOS:
            desktop, wrong = desktop_shots(build, out, ratio, states)
            problems += wrong or page_shots(site, out, ratio, segments, desktop)
    shots = len(segments) * len(RATIOS)
    for p in problems:
        print(f"DIFFERS {p}")
    print(f"parity_test.py: {shots} shots at ratios {', '.join(f'{r}x' for r in RATIOS)}: "
          f"{'all the same' if not problems else f'{len(problems)} differences'}")
    return 0 if not problems else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
