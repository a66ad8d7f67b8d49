#!/usr/bin/env bash
# The browser edition: builds build/web/ (preset `web`), replays every golden trace through the trace
# driver compiled to WebAssembly under node, byte for byte (ctest), then plays the page in headless
# Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/web.sh build
ctest --preset web
