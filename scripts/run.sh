#!/usr/bin/env bash
# Sets up what is missing, builds Blokko and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default -DBLOKKO_TESTS=OFF
cmake --build --preset default

if [ -x build/release/blokko ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: Blokko is a desktop game and needs one."
        echo "To watch it play without a display, run the headless demo: bash scripts/demo.sh"
        exit 1
    fi
    exec build/release/blokko
fi

echo "The desktop program is coming; meanwhile here is a short scripted game in the engine:"
build/release/blokko-trace < tests/traces/example_medium_first_tick.trace
