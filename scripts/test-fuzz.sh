#!/usr/bin/env bash
# A short coverage-guided fuzz run (libFuzzer, clang) of the whole program: inputs become clicks, keys,
# scroll values, timer ticks and random values, with every invariant checked after every event and
# AddressSanitizer, UndefinedBehaviorSanitizer and the standard library's assertions watching.
# It starts from the committed corpus and writes what it finds under build/fuzz, never into the repo.
#
#   bash scripts/test-fuzz.sh                              about 3 minutes (CI)
#   BLOKKO_FUZZ_SECONDS=3600 bash scripts/test-fuzz.sh     a long run
#
# A failing input is saved as build/fuzz/artifacts/crash-*; to see it as a blokko-trace script:
#   build/fuzz/tests/fuzz/blokko_fuzz_replay --script build/fuzz/artifacts/crash-... > crash.trace
# To refresh the committed corpus after a long run (keep it small), merge into a fresh directory:
#   build/fuzz/tests/fuzz/blokko_fuzz -merge=1 -max_len=4096 fresh/ tests/fuzz/corpus build/fuzz/found
#   and replace tests/fuzz/corpus with fresh/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${BLOKKO_FUZZ_SECONDS:-170}"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS -O1 -g"

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBLOKKO_GUI=OFF \
    -DBLOKKO_FUZZ=ON -DBLOKKO_CHECK_SCENE=ON -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build/fuzz --target blokko_fuzz blokko_fuzz_replay

rm -rf build/fuzz/found build/fuzz/artifacts
mkdir -p build/fuzz/found build/fuzz/artifacts
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# -timeout: one input (at most 20000 events) that takes this long has hung.
# Keep the fuzzer's own exit status: a failing input must fail the suite.
set +e
build/fuzz/tests/fuzz/blokko_fuzz build/fuzz/found tests/fuzz/corpus \
    -max_total_time="$seconds" -timeout=10 -max_len=4096 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1 >build/fuzz/fuzz.log 2>&1
status=$?
set -e
grep -E "INITED|DONE|ERROR|SUMMARY|violated|stat::|Done" build/fuzz/fuzz.log || true
if [ "$status" -ne 0 ]; then
    echo "The fuzzer found a failing input (exit status $status); see build/fuzz/fuzz.log and build/fuzz/artifacts/"
    tail -n 60 build/fuzz/fuzz.log
    exit 1
fi
