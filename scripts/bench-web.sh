#!/usr/bin/env bash
# Benchmarks of the browser edition; prints one table of figures and targets (scripts/bench.sh has the
# desktop's). The falling tick is timed inside the engine by one harness (bench/falling_tick.cpp) built
# natively and in WebAssembly, run in turns, median of RUNS runs each. Benchmarks report; a missed
# target does not make this script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

RUNS=${RUNS:-7}
export LOADS=${LOADS:-10} PLAY_SECONDS=${PLAY_SECONDS:-30} PLAYS=${PLAYS:-3} TAPS=${TAPS:-60}

bash scripts/setup.sh
bash scripts/web.sh build
cmake --preset bench >/dev/null
cmake --build --preset bench --target blokko_falling_tick_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== falling tick, native and WebAssembly under node ($RUNS runs each)"
for _ in $(seq "$RUNS"); do
    build/bench/bench/blokko_falling_tick_bench | sed 's/^/native /' >>"$work/tick.txt"
    node build/web-build/blokko_falling_tick_bench.js | sed 's/^/wasm /' >>"$work/tick.txt"
done
median() { # label key
    grep "^$1 " "$work/tick.txt" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
native=$(median native fallingTick_ns)
wasm=$(median wasm fallingTick_ns)
native_scene=$(median native fallingTickScene_ns)
wasm_scene=$(median wasm fallingTickScene_ns)

# What a visitor downloads, fonts aside, compressed as a web server would (PNGs as they are): every file
# the service worker keeps (its list is the site's, from cmake/web.cmake) but the fonts, and the worker.
site_files=$(/usr/bin/python3 -c '
import json, re, sys
text = open(sys.argv[1]).read()
print("\n".join(json.loads(re.search(r"const Files = (\[.*?\]);", text).group(1))))' build/web/service-worker.js)
transfer=0
for file in $(grep -v '^fonts/' <<<"$site_files") service-worker.js; do
    raw=$(wc -c <"build/web/$file")
    packed=$(gzip -9 -c "build/web/$file" | wc -c)
    transfer=$((transfer + (packed < raw ? packed : raw)))
done
transfer_kb=$(awk -v b="$transfer" 'BEGIN { printf "%.1f", b / 1024 }')

echo "== the page in headless Chromium (first frame: $LOADS loads; play: $PLAYS plays of $PLAY_SECONDS s)"
/usr/bin/python3 bench/web_page_bench.py build/web | tee "$work/page.txt"
page() {
    awk -F '\t' -v k="$1" '$1 == "RESULT" && $2 == k { print $3; found = 1 } END { if (!found) print "nan" }' \
        "$work/page.txt"
}

row() { # figure, measured, unit, target text, check on x
    local met
    if [ "$5" = report ]; then met=report; elif [ "$2" = "nan" ]; then met="no figure"; else met=$(awk -v x="$2" "BEGIN { print (($5) ? \"yes\" : \"NO\") }"); fi
    printf '| %s | %s %s | %s | %s |\n' "$1" "$2" "$3" "$4" "$met"
}

echo
echo "| Figure | Measured | Target | Met |"
echo "| --- | --- | --- | --- |"
row "Engine: fallingTick, native (batches, median of $RUNS runs)" "$native" ns "none" report
row "Engine: fallingTick, WebAssembly under node" "$wasm" ns "≤ 1.5 × native" "x <= 1.5 * $native"
row "Engine: fallingTick with the scene brought up to it (what a front end pays per tick), native" "$native_scene" ns \
    "none" report
row "The same, WebAssembly under node" "$wasm_scene" ns "none" report
row "Page transfer without fonts (html, css, js, wasm, manifest, icons, service worker; gzip -9, PNGs as they are)" \
    "$transfer_kb" KB "≤ 170 KB" "x <= 170"
row "Load to first frame, headless Chromium, cache and service worker off (median of $LOADS)" "$(page first_frame_ms)" ms "≤ 250 ms" \
    "x <= 250"
row "Parade: Timer2 ticks in the first load" "$(page parade_ticks)" ticks "33" "x == 33"
row "Parade: Timer2 mean interval (one clock on performance.now())" "$(page parade_mean_ms)" ms "2 ± 0.2 ms" \
    "x >= 1.8 && x <= 2.2"
row "Timer1 mean interval over the play ($(page timer1_ticks) ticks; stopped times left out)" "$(page timer1_mean_ms)" ms "50 ± 0.5 ms" \
    "x >= 49.5 && x <= 50.5"
spread() { # key: "low to high" over the plays
    echo "$(page "$1_low") to $(page "$1_high")"
}
plays="median of $(page plays) plays of $(page play_seconds) s"
row "CPU of the page (its main thread) over play, $plays ($(page keys) keys, $(page timer1_ticks) play ticks in the first; $(spread page_main_thread_percent))" \
    "$(page page_main_thread_percent)" "% of a core" "≤ 5 %" "x <= 5"
row "The same against the floor page played at the same time (below), median of each play's ratio ($(spread floor_ratio_page_main_thread_percent))" \
    "$(page floor_ratio_page_main_thread_percent)" "×" "≤ 1.25 ×" "x <= 1.25"
row "CPU of the whole renderer over the same plays ($(spread renderer_percent))" "$(page renderer_percent)" \
    "% of a core" "none" report
row "The same against the floor page's whole renderer ($(spread floor_ratio_renderer_percent))" \
    "$(page floor_ratio_renderer_percent)" "×" "none" report
row "CPU of every Chromium process (software compositing) over the same plays ($(spread chromium_percent))" \
    "$(page chromium_percent)" "% of a core" "none" report
row "Tap on an on-screen control to the end of the frame that draws its move, median of $(page taps) taps at Easy (p95 $(page tap_to_move_frame_p95_ms) ms)" \
    "$(page tap_to_move_frame_ms)" ms "none" report
row "… of which the tap's delivery to the page (from the event's timeStamp; p95 $(page tap_delivery_p95_ms) ms)" \
    "$(page tap_delivery_ms)" ms "none" report
row "… the wait for the next play tick, which draws a key's move by the game's design (p95 $(page tap_tick_wait_p95_ms) ms)" \
    "$(page tap_tick_wait_ms)" ms "none" report
row "… that play tick to the end of the frame that draws the move (p95 $(page tap_tick_to_frame_p95_ms) ms)" \
    "$(page tap_tick_to_frame_ms)" ms "≤ 1 frame (16.7 ms)" "x <= 16.7"
desk_cpu=$(page page_main_thread_percent)
row "CPU of the page (its main thread) over play with the on-screen controls shown (touch screen, same viewport and keys), $plays ($(spread touch_page_main_thread_percent))" \
    "$(page touch_page_main_thread_percent)" "% of a core" "within 0.5 of the desk layout's ($desk_cpu)" \
    "x - $desk_cpu <= 0.5 && $desk_cpu - x <= 0.5"
row "The same, one play tapping the controls instead of keys" "$(page taps_page_main_thread_percent)" "% of a core" \
    "none" report
row "The same, one play tapping the bare desk beside them instead (the browser's cost of touch input)" \
    "$(page desk_taps_page_main_thread_percent)" "% of a core" "none" report
row "Floor: a canvas of the game window's size with a block moving 20 times a second, the same keys, main thread, played in a browser of its own during each play ($(spread floor_page_main_thread_percent))" \
    "$(page floor_page_main_thread_percent)" "% of a core" "none" report
row "Floor: its whole renderer ($(spread floor_renderer_percent))" "$(page floor_renderer_percent)" "% of a core" "none" report
row "Floor: every Chromium process ($(spread floor_chromium_percent))" "$(page floor_chromium_percent)" "% of a core" \
    "none" report
