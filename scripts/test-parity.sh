#!/usr/bin/env bash
# One game, two front ends: tests/parity/game.script played by the desktop program (offscreen Qt) and by
# the page (headless Chromium) at device pixel ratios 1 and 2 must give the same pixels wherever no text
# is drawn, and whole captions. Differences are named, with pictures, under build/parity/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/web.sh build
cmake --preset ci >/dev/null
cmake --build --preset ci --target blokko_parity_desktop blokko-trace

for tool in /usr/bin/chromium /usr/bin/chromedriver /usr/bin/python3; do
    [ -x "$tool" ] || {
        echo "test-parity: $tool is missing: run bash scripts/setup.sh" >&2
        exit 1
    }
done
# Debian's python has the Selenium, Pillow and NumPy modules; the python first on the PATH may not.
/usr/bin/python3 tests/parity/parity_test.py build/web build/ci build/parity
