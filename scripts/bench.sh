#!/usr/bin/env bash
# Builds the benchmarks and runs them all: the engine's events, drawing, start-up beside a minimal Qt
# window (offscreen and under Xvfb) and a minute of play. Prints one table of figures and targets.
# Benchmarks report; a missed target does not make this script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/virtual-screen.sh
export LC_ALL=C

STARTUP_RUNS=${STARTUP_RUNS:-20}
PLAY_SECONDS=${PLAY_SECONDS:-60}
REPETITIONS=${REPETITIONS:-10}
# The table reads medians, which Google Benchmark reports from two repetitions on.
[ "$REPETITIONS" -ge 2 ] || REPETITIONS=2

bash scripts/setup.sh
cmake --preset bench
cmake --build --preset bench

bin=build/bench/bench
work=$(mktemp -d)
cleanup() {
    stop_virtual_screen
    rm -rf "$work"
}
trap cleanup EXIT

# Google Benchmark's JSON as "name<TAB>key<TAB>value" lines, medians only.
flatten_json() {
    awk '
        /"name":/ { line = $0; sub(/^[^:]*: *"/, "", line); sub(/",?$/, "", line); name = line }
        /"aggregate_name":/ { aggregate = $0; sub(/^[^:]*: *"/, "", aggregate); sub(/",?$/, "", aggregate) }
        /^ *"[A-Za-z_\/]+": *[-0-9.e+]+,?$/ {
            key = $1; gsub(/[":]/, "", key); value = $2; sub(/,$/, "", value); values[name, key] = value; keys[name, key] = 1
        }
        /"error_message":/ { errors[name] = 1 }
        END { for (k in keys) { split(k, part, SUBSEP); print part[1] "\t" part[2] "\t" values[k] } for (n in errors) print n "\terror\t1" }
    ' "$1"
}

run_gbench() { # label, binary
    echo "== $1"
    QT_QPA_PLATFORM=offscreen "$2" --benchmark_repetitions=$REPETITIONS --benchmark_report_aggregates_only=true \
        --benchmark_out="$work/$1.json" --benchmark_out_format=json 2>&1 | grep -v XDG_RUNTIME_DIR || true
    flatten_json "$work/$1.json" >>"$work/gbench.tsv"
}

# Start-up: the game's probe and the floor window, in turns, each launched with the wall clock.
run_startup() { # label; QT_QPA_PLATFORM and DISPLAY already set
    echo "== start-up, $1 ($STARTUP_RUNS runs each)"
    "$bin/blokko_startup_probe" --launched-at="$EPOCHREALTIME" >/dev/null 2>&1 || true # warm caches
    "$bin/blokko_floor_window" --launched-at="$EPOCHREALTIME" >/dev/null 2>&1 || true
    for _ in $(seq "$STARTUP_RUNS"); do
        for program in startup_probe floor_window; do
            line=$("$bin/blokko_$program" --launched-at="$EPOCHREALTIME" 2>/dev/null) || line="first_frame_ms=none"
            echo "$program $line" | tee -a "$work/startup-$1.txt"
        done
    done >/dev/null
}

median() { # program key label
    grep "^$1 " "$work/startup-$3.txt" 2>/dev/null | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

run_gbench engine "$bin/blokko_engine_bench"
run_gbench drawing "$bin/blokko_drawing_bench"

QT_QPA_PLATFORM=offscreen DISPLAY= run_startup offscreen

if start_virtual_screen "$work/xvfb.log"; then
    QT_QPA_PLATFORM=xcb run_startup xvfb
    stop_virtual_screen
fi

echo "== a minute of play ($PLAY_SECONDS s)"
QT_QPA_PLATFORM=offscreen "$bin/blokko_play_bench" "$PLAY_SECONDS" 2>&1 | grep -v XDG_RUNTIME_DIR |
    tee "$work/play.txt" || echo "play benchmark failed" | tee -a "$work/play.txt"

# The table.
gbench() { # benchmark name, key -> median value
    awk -F '\t' -v n="$1_median" -v k="$2" '$1 == n && $2 == k { print $3; found = 1 } END { if (!found) print "nan" }' \
        "$work/gbench.tsv"
}
gbench_failed() {
    awk -F '\t' -v n="$1" 'index($1, n) == 1 && $2 == "error" { found = 1 } END { exit !found }' "$work/gbench.tsv"
}
play() {
    awk -F '\t' -v k="$1" '$1 == "RESULT" && $2 == k { print $3; found = 1 } END { if (!found) print "nan" }' \
        "$work/play.txt"
}
# A figure, a check in awk on x (and f, the floor's figure), and the row.
row() { # figure, measured, unit, target text, floor, check
    local met
    if [ "$6" = "report" ]; then
        met="report"
    elif [ "$2" = "nan" ] || [ "$2" = "error" ]; then
        met="no figure"
    else
        met=$(awk -v x="$2" -v f="$5" "BEGIN { print (($6) ? \"yes\" : \"NO\") }")
    fi
    printf '| %s | %s %s | %s | %s | %s |\n' "$1" "$2" "$3" "$4" "${5:+$5 $3}" "$met"
}
fmt() { awk -v x="$1" -v p="$2" 'BEGIN { if (x == "nan") print "nan"; else printf "%.*f\n", p, x }'; }
drawing() { # benchmark, key, precision
    if gbench_failed "$1"; then echo error; else fmt "$(gbench "$1" "$2")" "$3"; fi
}
whole_ms() { # benchmark -> median in ms
    local us
    us=$(drawing "$1" real_time 3)
    case "$us" in error | nan) echo "$us" ;; *) fmt "$(awk -v x="$us" 'BEGIN { print x / 1000 }')" 3 ;; esac
}

echo
echo "| Figure | Measured | Target | Floor | Met |"
echo "| --- | --- | --- | --- | --- |"
# Every engine event: no heap allocation; the falling tick and the four-row landing also have a time limit.
for b in fallingTick fourRowLanding gameOverLanding newPiece shiftKeys paradeTick curtainTick; do
    row "Engine: $b, allocations per event" "$(fmt "$(gbench "$b/manual_time" allocs/event)" 0)" "" "0" "" "x == 0"
done
row "Engine: fallingTick" "$(fmt "$(gbench fallingTick/manual_time real_time)" 0)" ns "≤ 1000 ns" "" "x <= 1000"
row "Engine: fourRowLanding" "$(fmt "$(gbench fourRowLanding/manual_time real_time)" 0)" ns "≤ 20000 ns" "" \
    "x <= 20000"
for b in gameOverLanding newPiece shiftKeys paradeTick curtainTick; do
    row "Engine: $b" "$(fmt "$(gbench "$b/manual_time" real_time)" 0)" ns "none" "" report
done
row "Game window whole, ratio 1" "$(whole_ms gameWindowWhole/1/manual_time)" ms "≤ 2 ms" "" "x <= 2"
row "Game window whole, ratio 2" "$(whole_ms gameWindowWhole/2/manual_time)" ms "≤ 5 ms" "" "x <= 5"
row "Difficulty window whole, ratio 1" "$(drawing difficultyWindowWhole/1/manual_time real_time 0)" µs "none" "" report
row "Difficulty window whole, ratio 2" "$(drawing difficultyWindowWhole/2/manual_time real_time 0)" µs "none" "" report
row "Play tick repaint, ratio 1" "$(drawing playTickRepaint/1/manual_time real_time 1)" µs "none" "" report
row "Play tick repaint, ratio 2" "$(drawing playTickRepaint/2/manual_time real_time 1)" µs "none" "" report
row "Play tick and its repaint through the event loop" "$(drawing playTickThroughEventLoop/manual_time real_time 1)" µs "none" "" report
row "Area repainted per play tick (whole window $(fmt "$(gbench gameWindowWhole/1/manual_time area_px)" 0) px)" \
    "$(fmt "$(gbench playTickRepaint/1/manual_time repaint_px)" 0)" px "none" "" report
for platform in offscreen xvfb; do
    t=$(median startup_probe first_frame_ms "$platform")
    tf=$(median floor_window first_frame_ms "$platform")
    m=$(median startup_probe maxrss_kb "$platform")
    mf=$(median floor_window maxrss_kb "$platform")
    row "Start to first frame, $platform (median of $STARTUP_RUNS)" "$(fmt "$t" 1)" ms "≤ 1.5 × floor" "$(fmt "$tf" 1)" "x <= 1.5 * f"
    row "Peak memory, $platform (median of $STARTUP_RUNS)" "$(fmt "$(awk -v k="$m" 'BEGIN { print k / 1024 }')" 1)" MiB \
        "≤ 1.3 × floor" "$(fmt "$(awk -v k="$mf" 'BEGIN { print k / 1024 }')" 1)" "x <= 1.3 * f"
done
row "Timer1 mean interval ($(play timer1_ticks) ticks, $(play games) games)" "$(fmt "$(play timer1_mean_ms)" 3)" ms "50 ± 0.5 ms" "" "x >= 49.5 && x <= 50.5"
row "Timer1 99th percentile interval" "$(fmt "$(play timer1_p99_ms)" 3)" ms "≤ 55 ms" "" "x <= 55 && x >= 45"
row "Parade: Timer2 ticks in the first load" "$(play parade_ticks)" ticks "33" "" "x == 33"
row "Parade: Timer2 mean interval" "$(fmt "$(play parade_mean_ms)" 3)" ms "2 ± 0.2 ms" "" "x >= 1.8 && x <= 2.2"
row "CPU over $PLAY_SECONDS s of play ($(play keys_delivered) keys)" "$(fmt "$(play cpu_percent)" 2)" "% of a core" "≤ 2 %" "" "x <= 2"
