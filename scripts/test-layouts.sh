#!/usr/bin/env bash
# Keyboard layouts: the keys under A, S and P of a US keyboard turn and pause in a Cyrillic layout too,
# and a Latin layout keeps its typed letters (AZERTY's A key turns, the key under US A is Q there).
# The real binary under Xvfb; setxkbmap sets the layout, xdotool presses keys by their symbol in it.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=test-layouts
source scripts/lib/blokko-session.sh
start_session setxkbmap

# The well's inside from row FIRST to row 16, columns 1 to 10: "W H LEFT TOP" of what is not yellow
# there, or "" when nothing is. Rows from 8 on lie below the Pause button. The pieces that came to
# rest lie lower in a fresh game.
cell_px=$((cell / 15))
crop_x=$(((cell + 60) / 15 + 2))
crop_w=$(((10 * cell) / 15 - 4))
piece_box() { # screenshot, first row
    local y=$(((${2} * cell + 50) / 15 + 2)) h=$(((17 - ${2}) * cell / 15 - 4))
    convert "$work/$1.png" -crop "${crop_w}x${h}+$((crop_x + wx))+$((y + wy))" +repage \
        -fill white +opaque "rgb(255,255,0)" -fill black -opaque "rgb(255,255,0)" \
        -format '%@' info: 2>/dev/null | sed -n 's/^\([1-9][0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\1 \2 \3 \4/p'
}
near() { [ $(($1 - $2)) -le 3 ] && [ $(($2 - $1)) -le 3 ]; }
single_piece() { [ "$1" -le $((4 * cell_px + 3)) ] && [ "$2" -le $((4 * cell_px + 3)) ]; }

# In a fresh game, paused with PAUSE from the start and let on a few ticks at a time (Space resumes,
# PAUSE again), so the screenshots never race the clock: waits for a piece that is not square to stand
# whole in rows 10 to 13, below the Pause button with room to turn; then KEY, a tick or two, and
# reports "turned" or "same" from its size before and after. Other pieces go to a wall, hurried.
turn_test() {
    local key=$1 pause=$2 box w h left top w2 h2 side=Left
    xdotool key "$pause"
    for _ in $(seq 150); do
        alive
        sleep 0.1
        shot before
        box=$(piece_box before 8)
        if [ -z "$box" ]; then
            xdotool key --delay 250 space "$pause" # nothing below row 8 yet: some ticks
            continue
        fi
        read -r w h left top <<<"$box"
        if ! single_piece "$w" "$h" || [ $((top + h)) -gt $((6 * cell_px)) ] || near "$w" "$h"; then
            # Past rows 10 to 13, or square: to a wall and down, and the next piece.
            xdotool key --delay 30 space $side $side $side $side $side Down "$pause"
            [ "$side" = Left ] && side=Right || side=Left
            continue
        fi
        if [ "$top" -lt $((2 * cell_px)) ] || [ "$left" -lt "$cell_px" ] || [ $((left + w)) -gt $((crop_w - cell_px)) ]; then
            xdotool key --delay 60 space "$pause" # a tick or so
            continue
        fi
        xdotool key "$key"
        xdotool key --delay 90 space "$pause"
        sleep 0.3
        shot after
        read -r w2 h2 _ <<<"$(piece_box after 8)"
        # Turned: wide became tall or the other way round (a long piece may reach above row 8).
        if [ -n "${w2:-}" ] && ! near "$w2" "$h2" && [ $((w > h)) != $((w2 > h2)) ]; then
            echo turned
        elif near "${w2:-0}" "$w" && near "${h2:-0}" "$h"; then
            echo same
        else
            echo "changed from ${w}x$h to ${w2:-?}x${h2:-?}"
        fi
        return 0
    done
    echo "never came (layout $(setxkbmap -query | awk '/layout/ {print $2}'))"
}

# In LAYOUT, for each KEY=EXPECTED pair a fresh game (Enter for "GO!" at Easy, the curtain open) where
# KEY is tried as a turn, paused and resumed with PAUSE and Space; PAUSE must show the Pause button.
play_in_layout() {
    local layout=$1 pause=$2 form2 game pair key want got
    shift 2
    setxkbmap "$layout" || fail "setxkbmap $layout failed"
    for pair in "$@"; do
        key=${pair%%=*}
        want=${pair#*=}
        start_blokko
        # Enter in the difficulty window: "GO!" at Easy, from the keyboard like the rest.
        form2=$(window Form2)
        xdotool windowfocus --sync "$form2" 2>/dev/null || xdotool windowfocus "$form2"
        xdotool key Return
        game=$(window Blokko)
        geometry "$game"
        wx=$X wy=$Y
        xdotool windowfocus --sync "$game" 2>/dev/null || xdotool windowfocus "$game"
        wait_for_open_curtain
        got=$(turn_test "$key" "$pause")
        [ "$got" = "$want" ] || fail "layout $layout: key $key: the piece $got, expected $want"
        is_button_face after $((pause_cx + 80)) $((pause_cy - 45)) \
            || fail "layout $layout: $pause did not show the Pause button (screenshot after)"
        stop_blokko
    done
}

# US: a turns, p pauses.
play_in_layout us p a=turned
# Russian: the keys under A, S and P type ф, ы and з.
play_in_layout ru Cyrillic_ze Cyrillic_ef=turned Cyrillic_yeru=turned
# French AZERTY: the key labelled A turns; the key under US A types q and does nothing.
play_in_layout fr p a=turned q=same
setxkbmap us

echo "test-layouts: 3 passed, 0 failed"
