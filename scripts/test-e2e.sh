#!/usr/bin/env bash
# End to end: the real binary under Xvfb, played as a person would with xdotool, checked by the pixels
# of screenshots at places the layout gives. Expects build/ci/blokko (scripts/test.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/virtual-screen.sh

binary=build/ci/blokko
fail() {
    echo "test-e2e: FAIL: $*" >&2
    if [ -n "${work:-}" ] && [ -d "$work" ]; then
        mkdir -p build/ci/e2e-failure
        cp "$work"/*.png "$work"/blokko.log build/ci/e2e-failure/ 2>/dev/null || true
        echo "test-e2e: screenshots and the program's output are in build/ci/e2e-failure/" >&2
    fi
    exit 1
}

[ -x "$binary" ] || fail "$binary is missing: build build/ci first (bash scripts/test.sh does)"
for tool in Xvfb xdotool import convert xdpyinfo; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run bash scripts/setup.sh"
done

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

start_virtual_screen "$work/xvfb.log" || fail "no virtual screen"

"$binary" >"$work/blokko.log" 2>&1 &
app_pid=$!

alive() { kill -0 "$app_pid" 2>/dev/null || fail "blokko exited: $(cat "$work/blokko.log")"; }

# The id of the shown window with this exact title, waiting up to 10 seconds.
window() {
    local id=""
    for _ in $(seq 100); do
        alive
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window \"$1\" is shown"
    echo "$id"
}

# Sets X, Y, WIDTH, HEIGHT for a window.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

shot() { import -window root "$work/$1.png" || fail "screenshot $1 failed"; }

# "r,g,b" of the screenshot's pixel at a window's x, y.
pixel() {
    convert "$work/$1.png" -format "%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.r+0.5)],%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.g+0.5)],%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.b+0.5)]" info:
}
expect() { # screenshot, x, y, "r,g,b", what
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel ($2, $3) of the window is $got, expected $4 (screenshot $1)"
}
is_button_face() { # a light grey, as the toolkit draws a push button
    local r g b
    IFS=, read -r r g b <<<"$(pixel "$1" "$2" "$3")"
    [ "$r" = "$g" ] && [ "$g" = "$b" ] && [ "$r" -ge 180 ] && [ "$r" -lt 255 ]
}
click() { xdotool mousemove $(($1 + wx)) $(($2 + wy)) click 1; }

# --- The layout, in logical pixels at 15 twips a pixel --------------------------------------------
# Game window: cell = Int(5850 / 20) = 292 twips; inner area 6300 x 6480 twips.
cell=292
game_w=$((6300 / 15))
game_h=$((6480 / 15))
# Between the well's right wall (12 cells + 60 twips) and the side panel's leftmost label (HiScore,
# 2175 wide, centred on 17 cells): nothing but the window's yellow.
well_right=$(((12 * cell + 60) / 15))
panel_left=$(((17 * cell - 2175 / 2) / 15))
bg_x=$(((well_right + panel_left) / 2))
bg_y=$((game_h / 2))
# Wall cell at row 10, column 0: Left 60, Top 10 * cell + 50; its blue border is 4 pixels wide.
wall_x=$((60 / 15 + 2))
wall_y=$(((10 * cell + 50) / 15 + 9))
# "Next Piece:" label: red ground, 1575 wide centred on 17 cells, Top 120; its top right corner.
npiece_x=$(((17 * cell + 1575 / 2) / 15 - 6))
npiece_y=$((120 / 15 + 3))
# "Game Over": 2655 x 2175 twips, centred in the inner area.
over_left=$(((6300 / 2 - 2655 / 2) / 15))
over_top=$(((6480 / 2 - 2175 / 2) / 15))
over_w=$((2655 / 15))
over_h=$((2175 / 15))
# "Pause": 1560, 240, 3015 x 1935.
pause_cx=$(((1560 + 3015 / 2) / 15))
pause_cy=$(((240 + 1935 / 2) / 15))
# Difficulty window: 5790 x 3375; the images leave the orange ground in its last column and row.
form2_w=$((5790 / 15))
form2_h=$((3375 / 15))
# Scroll bar: -240, 960, 6015 x 255; its right arrow at the right end. GO!: 720, 1200, 4575 x 2175.
arrow_x=$(((-240 + 6015) / 15 - 5))
arrow_y=$(((960 + 255 / 2) / 15))
go_x=$(((720 + 4575 / 2) / 15))
go_y=$(((1200 + 2175 / 2) / 15))

yellow="255,255,0"
blue="0,0,255"
red="255,0,0"
orange="255,128,0"

# --- Program start: only the difficulty window -----------------------------------------------------
form2=$(window Form2)
geometry "$form2"
[ "$WIDTH" = "$form2_w" ] && [ "$HEIGHT" = "$form2_h" ] || fail "difficulty window is ${WIDTH}x$HEIGHT, expected ${form2_w}x$form2_h"
wx=$X wy=$Y
[ -z "$(xdotool search --onlyvisible --name '^Blokko$' 2>/dev/null || true)" ] || fail "the game window is shown before GO!"
shot start
expect start $((form2_w - 1)) $((form2_h - 1)) "$orange" "difficulty window's orange ground"
expect start 2 2 "1,1,254" "the gradient's first, blue band"

# Hard (two steps right), then GO!.
click "$arrow_x" "$arrow_y"
sleep 0.2
click "$arrow_x" "$arrow_y"
sleep 0.2
click "$go_x" "$go_y"

# --- The game window: curtain opens over the parade, then play ------------------------------------
game=$(window Blokko)
geometry "$game"
[ "$WIDTH" = "$game_w" ] && [ "$HEIGHT" = "$game_h" ] || fail "game window is ${WIDTH}x$HEIGHT, expected ${game_w}x$game_h"
wx=$X wy=$Y
[ -z "$(xdotool search --onlyvisible --name '^Form2$' 2>/dev/null || true)" ] || fail "GO! left the difficulty window shown"

# Open when the yellow shows at the top, the middle and the bottom of the window.
curtain_open() {
    [ "$(pixel "$1" "$bg_x" 1)" = "$yellow" ] && [ "$(pixel "$1" "$bg_x" "$bg_y")" = "$yellow" ] \
        && [ "$(pixel "$1" "$bg_x" $((game_h - 2)))" = "$yellow" ]
}
opened=""
for _ in $(seq 40); do
    alive
    shot curtain
    if curtain_open curtain; then
        opened=yes
        break
    fi
    sleep 0.25
done
[ -n "$opened" ] || fail "the curtain did not open within 10 seconds"
shot playing
expect playing "$bg_x" "$bg_y" "$yellow" "the game window's yellow"
expect playing "$wall_x" "$wall_y" "$blue" "the blue border of the well's wall"
expect playing "$npiece_x" "$npiece_y" "$red" "the red \"Next Piece:\" label"

# Keys as a player presses them; P pauses, the Pause button resumes.
xdotool windowfocus --sync "$game" 2>/dev/null || xdotool windowfocus "$game"
xdotool key --delay 60 Left Left a Right s Right Right Down
xdotool key p
sleep 0.3
shot paused
is_button_face paused $((pause_cx + 80)) $((pause_cy - 45)) || fail "P did not show the Pause button (screenshot paused)"
click "$pause_cx" "$pause_cy"
sleep 0.3
shot resumed
expect resumed "$npiece_x" "$npiece_y" "$red" "the Pause button gone after its click"

# --- Game over: Hard ends soon when nobody steers --------------------------------------------------
over=""
for _ in $(seq 120); do
    alive
    shot waiting
    if is_button_face waiting $((over_left + 6)) $((over_top + 6)); then
        over=yes
        break
    fi
    sleep 0.5
done
[ -n "$over" ] || fail "no \"Game Over\" button within 60 seconds"
shot over
is_button_face over $((over_left + over_w - 6)) $((over_top + over_h - 6)) || fail "the Game Over button is not where the layout centres it"
dark=$(convert "$work/over.png" -crop "${over_w}x${over_h}+$((over_left + wx))+$((over_top + wy))" -colorspace gray -threshold 25% -format '%[fx:mean]' info:)
awk -v m="$dark" 'BEGIN { exit !(m < 0.95) }' || fail "the Game Over button shows no caption"

# --- Restart: both windows, a new game ---------------------------------------------------------------
click $((over_left + over_w / 2)) $((over_top + over_h / 2))
form2=$(window Form2)
game=$(window Blokko)
geometry "$game"
gx=$X gy=$Y
geometry "$form2"
fx=$X fy=$Y
reopened=""
for _ in $(seq 40); do
    alive
    shot restarted
    wx=$gx wy=$gy
    if curtain_open restarted; then
        reopened=yes
        break
    fi
    sleep 0.25
done
[ -n "$reopened" ] || fail "after the restart the game window's curtain did not open"
expect restarted "$wall_x" "$wall_y" "$blue" "the rebuilt well's wall"
wx=$fx wy=$fy
expect restarted $((form2_w - 1)) $((form2_h - 1)) "$orange" "the difficulty window shown again after the restart"
alive

echo "test-e2e: 1 passed, 0 failed"
