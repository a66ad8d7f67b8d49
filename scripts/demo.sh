#!/usr/bin/env bash
# Plays a short game with the real program on a virtual screen (Xvfb), no display needed, and saves a
# picture of each window: docs/difficulty-window.png and docs/game-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/virtual-screen.sh

bash scripts/setup.sh
cmake --preset default -DBLOKKO_TESTS=OFF >/dev/null
cmake --build --preset default --target blokko

work=$(mktemp -d)
app_pid=""
cleanup() {
    set +e
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    stop_virtual_screen
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() {
    echo "demo: $*" >&2
    exit 1
}

start_virtual_screen "$work/xvfb.log" || fail "no virtual screen"

build/release/blokko >"$work/blokko.log" 2>&1 &
app_pid=$!

window() {
    local id=""
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || fail "blokko exited: $(cat "$work/blokko.log")"
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window \"$1\" appeared"
    echo "$id"
}
click() { # window, x, y in the window
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

mkdir -p docs
form2=$(window Form2)
sleep 0.3
# "Medium": one step right on the scroll bar (its right arrow ends at (-240 + 6015) / 15 pixels).
click "$form2" $(((-240 + 6015) / 15 - 5)) $(((960 + 127) / 15))
sleep 0.3
import -window "$form2" docs/difficulty-window.png
click "$form2" $(((720 + 4575 / 2) / 15)) $(((1200 + 2175 / 2) / 15))

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
