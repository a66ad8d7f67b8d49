#!/usr/bin/env bash
# The browser edition: builds build/web/ (preset `web`), replays every golden trace through the trace
# driver compiled to WebAssembly under node, byte for byte (ctest), then plays the page in headless
# Chromium (every tests/web/*_test.py, Selenium and chromedriver).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/web.sh build
ctest --preset web

for tool in /usr/bin/chromium /usr/bin/chromedriver /usr/bin/python3; do
    [ -x "$tool" ] || {
        echo "test-web: $tool is missing: run bash scripts/setup.sh" >&2
        exit 1
    }
done
# Debian's python has the Selenium and Pillow modules; the python first on the PATH may not. Every
# tests/web/*_test.py is a suite of its own, run on the built page.
for suite in tests/web/*_test.py; do
    echo "== $suite"
    /usr/bin/python3 "$suite" build/web
done
