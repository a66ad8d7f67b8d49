#!/usr/bin/env bash
# Keyboard layouts: the keys under A, S and P of a US keyboard turn and pause in a Cyrillic layout too,
# and a Latin layout keeps its typed letters (AZERTY's A key turns, the key under US A is Q there).
# The real binary under Xvfb; setxkbmap sets the layout, xdotool presses keys by their symbol in it.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=test-layouts
source scripts/lib/blokko-session.sh
start_session setxkbmap

# The well's inside, columns 1 to 10 and rows 1 to 10, where only the falling piece shows while the
# pieces that came to rest lie lower.
crop_x=$(((cell + 60) / 15 + 2))
crop_y=$(((cell + 50) / 15 + 2))
crop_w=$(((10 * cell) / 15 - 4))
crop_h=$(((10 * cell) / 15 - 4))
cell_px=$((cell / 15))

# "W H LEFT TOP" of what is not yellow in the well's upper part (the falling piece), or "" when nothing is.
piece_box() {
    convert "$work/$1.png" -crop "${crop_w}x${crop_h}+$((crop_x + wx))+$((crop_y + wy))" +repage \
        -fill white +opaque "rgb(255,255,0)" -fill black -opaque "rgb(255,255,0)" \
        -format '%@' info: 2>/dev/null | sed -n 's/^\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\1 \2 \3 \4/p'
}
near() { [ $(($1 - $2)) -le 3 ] && [ $(($2 - $1)) -le 3 ]; }

# Presses KEY (a key symbol of the current layout) while a piece that is not square falls high in the
# well, and reports "turned" or "same" from the piece's size before and after. Every piece goes to a
# wall afterwards, so the well's middle stays free for the next ones.
turn_test() {
    local key=$1 box w h left top after w2 h2
    for _ in $(seq 150); do
        alive
        shot before
        box=$(piece_box before)
        if [ -n "$box" ]; then
            read -r w h left top <<<"$box"
            # Whole in view, high, clear of the walls (a turn there may be refused) and not square.
            if [ "$top" -ge 3 ] && [ $((top + h)) -le $((6 * cell_px)) ] && [ "$left" -ge "$cell_px" ] \
                && [ $((left + w)) -le $((crop_w - cell_px)) ] && ! near "$w" "$h"; then
                xdotool key "$key"
                sleep 0.2
                shot after
                after=$(piece_box after)
                read -r w2 h2 _ <<<"${after:-0 0 0 0}"
                xdotool key --delay 20 Right Right Right Right Right
                if near "$w2" "$h" && near "$h2" "$w"; then
                    echo turned
                    return 0
                elif near "$w2" "$w" && near "$h2" "$h"; then
                    echo same
                    return 0
                fi
                # Seen half outside the upper part: try the next piece.
            elif [ "$top" -ge 3 ]; then
                xdotool key --delay 20 Left Left Left Left Left
            fi
        fi
        sleep 0.05
    done
    echo "never seen whole (layout $(setxkbmap -query | awk '/layout/ {print $2}'))"
}

# One program run in a layout: "GO!" at Easy, the curtain opens, then each KEY=EXPECTED pair is tried
# as a turn, and finally PAUSE must show the Pause button.
play_in_layout() {
    local layout=$1 pause=$2 form2 game pair key want got
    shift 2
    setxkbmap "$layout" || fail "setxkbmap $layout failed"
    start_blokko
    form2=$(window Form2)
    geometry "$form2"
    wx=$X wy=$Y
    click "$go_x" "$go_y"
    game=$(window Blokko)
    geometry "$game"
    wx=$X wy=$Y
    xdotool windowfocus --sync "$game" 2>/dev/null || xdotool windowfocus "$game"
    wait_for_open_curtain
    for pair in "$@"; do
        key=${pair%%=*}
        want=${pair#*=}
        got=$(turn_test "$key")
        [ "$got" = "$want" ] || fail "layout $layout: key $key: the piece $got, expected $want"
    done
    xdotool key "$pause"
    sleep 0.3
    shot paused
    is_button_face paused $((pause_cx + 80)) $((pause_cy - 45)) \
        || fail "layout $layout: $pause did not pause (screenshot paused)"
    stop_blokko
}

# US: a and s turn, p pauses.
play_in_layout us p a=turned s=turned
# Russian: the keys under A, S and P type ф, ы and з.
play_in_layout ru Cyrillic_ze Cyrillic_ef=turned Cyrillic_yeru=turned
# French AZERTY: the key labelled A turns; the key under US A types q and does nothing.
play_in_layout fr p a=turned q=same s=turned
setxkbmap us

echo "test-layouts: 3 passed, 0 failed"
