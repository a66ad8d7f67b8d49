# Sourced by the scripts that play the real program on a virtual screen. Set `suite` (the name in
# messages) first, then call start_session; it starts Xvfb and cleans up on exit.
#   start_blokko [ENV=VALUE ...]  starts build/ci/blokko (sets app_pid); stops one still running first
#   stop_blokko                   stops it
#   window TITLE                  the id of the shown window with this exact title (waits 10 s)
#   geometry ID                   sets X, Y, WIDTH, HEIGHT
#   shot NAME                     a screenshot of the whole screen as $work/NAME.png
#   pixel NAME X Y                "r,g,b" at X, Y of the window whose top left is wx, wy
#   expect NAME X Y RGB WHAT      fails unless that pixel has that colour
#   is_button_face NAME X Y       whether that pixel is the light grey of a push button
#   click X Y                     a left click at X, Y of the window at wx, wy
source "$(dirname "${BASH_SOURCE[0]}")/virtual-screen.sh"

binary=build/ci/blokko
work=""
app_pid=""

fail() {
    echo "$suite: FAIL: $*" >&2
    if [ -n "$work" ] && [ -d "$work" ]; then
        mkdir -p "build/ci/$suite-failure"
        cp "$work"/*.png "$work"/*.log "build/ci/$suite-failure/" 2>/dev/null || true
        echo "$suite: screenshots and the program's output are in build/ci/$suite-failure/" >&2
    fi
    exit 1
}

stop_blokko() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
        app_pid=""
    fi
}

cleanup_session() {
    set +e
    stop_blokko
    stop_virtual_screen
    [ -n "$work" ] && rm -rf "$work"
}

start_session() {
    [ -x "$binary" ] || fail "$binary is missing: build build/ci first (bash scripts/test.sh does)"
    local tool
    for tool in Xvfb xdotool import convert xdpyinfo "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run bash scripts/setup.sh"
    done
    work=$(mktemp -d)
    trap cleanup_session EXIT
    trap 'exit 130' INT TERM
    start_virtual_screen "$work/xvfb.log" || fail "no virtual screen"
}

start_blokko() {
    stop_blokko
    env "$@" "$binary" >"$work/blokko.log" 2>&1 &
    app_pid=$!
}

alive() { kill -0 "$app_pid" 2>/dev/null || fail "blokko exited: $(cat "$work/blokko.log")"; }

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

geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

shot() { import -window root "$work/$1.png" || fail "screenshot $1 failed"; }

pixel() {
    convert "$work/$1.png" -format "%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.r+0.5)],%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.g+0.5)],%[fx:int(255*p{$(($2 + wx)),$(($3 + wy))}.b+0.5)]" info:
}

expect() {
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel ($2, $3) of the window is $got, expected $4 (screenshot $1)"
}

is_button_face() {
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
# "Pause": 1560, 240, 3015 x 1935.
pause_cx=$(((1560 + 3015 / 2) / 15))
pause_cy=$(((240 + 1935 / 2) / 15))
# Difficulty window: GO! at 720, 1200, 4575 x 2175.
go_x=$(((720 + 4575 / 2) / 15))
go_y=$(((1200 + 2175 / 2) / 15))
yellow="255,255,0"

# Open when the yellow shows at the top, the middle and the bottom of the game window.
curtain_open() {
    [ "$(pixel "$1" "$bg_x" 1)" = "$yellow" ] && [ "$(pixel "$1" "$bg_x" "$bg_y")" = "$yellow" ] \
        && [ "$(pixel "$1" "$bg_x" $((game_h - 2)))" = "$yellow" ]
}

# Waits up to 10 seconds for the game window's curtain to open (wx, wy: the game window).
wait_for_open_curtain() {
    for _ in $(seq 40); do
        alive
        shot curtain
        curtain_open curtain && return 0
        sleep 0.25
    done
    fail "the curtain did not open within 10 seconds"
}
