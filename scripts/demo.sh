#!/usr/bin/env bash
# Plays a short game with the real program on a virtual screen (Xvfb), no display needed, and saves a
# picture of each window: docs/difficulty-window.png and docs/game-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=demo
source scripts/lib/blokko-session.sh

bash scripts/setup.sh
cmake --preset ci >/dev/null
cmake --build --preset ci --target blokko

start_session
start_blokko

mkdir -p docs
form2=$(window Form2)
geometry "$form2"
wx=$X wy=$Y
sleep 0.3
# "Medium": one step right on the scroll bar (its right arrow ends at (-240 + 6015) / 15 pixels).
click $(((-240 + 6015) / 15 - 5)) $(((960 + 127) / 15))
sleep 0.3
import -window "$form2" docs/difficulty-window.png
click $(((720 + 4575 / 2) / 15)) $(((1200 + 2175 / 2) / 15))

game=$(window Blokko)
xdotool windowfocus "$game" 2>/dev/null || true
sleep 3.5 # the curtain opens, the parade runs
for keys in "Left Left Left" "a Right Right Right Right" "s Down" "Left a"; do
    sleep 0.9
    # shellcheck disable=SC2086
    xdotool key --delay 80 $keys
done
sleep 1.2
import -window "$game" docs/game-window.png
echo "demo: saved docs/difficulty-window.png and docs/game-window.png"
