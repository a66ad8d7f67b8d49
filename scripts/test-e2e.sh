#!/usr/bin/env bash
# End to end: the real binary under Xvfb, played as a person would with xdotool, checked by the pixels
# of screenshots at places the layout gives. Expects build/ci/blokko (scripts/test.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
suite=test-e2e
source scripts/lib/blokko-session.sh
start_session
start_blokko

# --- The layout, in logical pixels at 15 twips a pixel --------------------------------------------
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
# Difficulty window: 5790 x 3375; the images leave the orange ground in its last column and row.
form2_w=$((5790 / 15))
form2_h=$((3375 / 15))
# Scroll bar: -240, 960, 6015 x 255; its right arrow at the right end.
arrow_x=$(((-240 + 6015) / 15 - 5))
arrow_y=$(((960 + 255 / 2) / 15))

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

wait_for_open_curtain
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
