"""What a screen reader finds in the running program, through AT-SPI (pyatspi), and a game played
through it: the difficulty chosen on the scroll bar, "GO!", "Pause" and "Game Over" pressed by their
actions. Run by scripts/test-accessibility.sh with Debian's /usr/bin/python3, on a virtual screen with
its own session bus, while the program runs with keys sent by xdotool."""

import subprocess
import sys
import time

import pyatspi



def fail(message):
    print("test-accessibility: FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def wait_for(what, find, seconds=10.0):
    """Calls find() until it returns something, for up to `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > deadline:
            fail("waited %.0f s for %s" % (seconds, what))
        time.sleep(0.1)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def descendants(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Blokko":
            return app
    return None


def window(app, caption):
    """The shown window with this caption: a frame, as screen readers announce windows."""
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.name == caption and showing(child):
            check(child.getRoleName() == "frame",
                  'window "%s" has the role "%s", not "frame"' % (caption, child.getRoleName()))
            return child
    return None


def find(parent, role, name=None):
    for child in descendants(parent):
        if child.getRoleName() == role and (name is None or child.name == name) and showing(child):
            return child
    return None


def texts(parent):
    return [c.name for c in descendants(parent) if c.getRoleName() in ("label", "static") and showing(c)]


def text_starting(parent, prefix):
    return next((t for t in texts(parent) if t.startswith(prefix)), None)


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names or "press" in names, '"%s" offers no press action: %s' % (button.name, names))
    action.doAction(names.index("Press") if "Press" in names else names.index("press"))


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def focus(caption):
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % caption, "windowactivate", "--sync"],
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


app = wait_for("the program on the accessibility bus", application, 20)

# --- The difficulty window -----------------------------------------------------------------------
form2 = wait_for('the window "Form2"', lambda: window(app, "Form2"))
go = wait_for('the "GO!" button', lambda: find(form2, "push button", "GO!"))
bar = wait_for("the scroll bar", lambda: find(form2, "scroll bar"))
check(bar.name == "Difficulty", 'the scroll bar is named "%s", expected "Difficulty"' % bar.name)
value = bar.queryValue()
check((value.minimumValue, value.maximumValue, value.currentValue) == (1, 4, 1),
      "the scroll bar runs %s to %s at %s, expected 1 to 4 at 1"
      % (value.minimumValue, value.maximumValue, value.currentValue))
check(bar.description == "Easy", 'the scroll bar tells "%s", expected "Easy"' % bar.description)

# A screen reader sets the value: the choice follows, and its name with it.
value.currentValue = 4
wait_for('the scroll bar to tell "Intense"', lambda: bar.description == "Intense")
check(bar.queryValue().currentValue == 4, "the scroll bar did not take the value 4")
press(go)

# --- The game window at "Intense" ------------------------------------------------------------------
game = wait_for('the window "Blokko"', lambda: window(app, "Blokko"))
check(window(app, "Form2") is None, '"GO!" left the difficulty window shown')
expected = ["Next Piece:", "Score:000000", "HiScore:000000", "Rows:000", "Blocks:0000", "Level 0"]
wait_for("the side panel's texts %s (found %s)" % (expected, texts(game)),
         lambda: all(t in texts(game) for t in expected))

# The texts follow the captions as pieces come to rest.
wait_for('"Blocks:" to count a piece (found %s)' % texts(game),
         lambda: (text_starting(game, "Blocks:") or "Blocks:0000") != "Blocks:0000", 30)
score = text_starting(game, "Score:")
check(score is not None and score != "Score:000000", 'the score text stayed "%s"' % score)

# P shows "Pause"; pressing it through AT-SPI resumes.
focus("Blokko")
key("p")
pause = wait_for('the "Pause" button after P', lambda: find(game, "push button", "Pause"))
blocks = text_starting(game, "Blocks:")
press(pause)
wait_for('"Pause" gone after its press', lambda: find(game, "push button", "Pause") is None)
wait_for("the game going on after the resume",
         lambda: text_starting(game, "Blocks:") != blocks, 30)

# --- Game over: "Game Over" restarts, the difficulty window comes back at the last choice --------------
over = wait_for('the "Game Over" button', lambda: find(game, "push button", "Game Over"), 240)
hiscore = text_starting(game, "Score:").replace("Score:", "HiScore:")
press(over)
form2 = wait_for('the window "Form2" after the restart', lambda: window(app, "Form2"))
bar = wait_for("the scroll bar after the restart", lambda: find(form2, "scroll bar"))
check(bar.queryValue().currentValue == 4 and bar.description == "Intense",
      "the scroll bar did not keep the last choice")
game = wait_for('the new game window', lambda: window(app, "Blokko"))
wait_for('"%s" in the new game (found %s)' % (hiscore, texts(game)),
         lambda: hiscore in texts(game) and "Score:000000" in texts(game))
check(text_starting(game, "Level") is None, 'the hidden "Level" label is still read out')

print("test-accessibility: 1 passed, 0 failed")
