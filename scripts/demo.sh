#!/usr/bin/env bash
# Plays a short game with the real program on a virtual screen (Xvfb), no display needed, and saves a
# picture of each window: docs/difficulty-window.png and docs/game-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLOKKO_TESTS=OFF >/dev/null
cmake --build build/release --target blokko

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    set +e
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() {
    echo "demo: $*" >&2
    exit 1
}

display=""
for n in $(seq 150 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || fail "no free X display number between 150 and 199"
Xvfb "$display" -screen 0 1280x1024x24 -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done
export DISPLAY=$display

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
