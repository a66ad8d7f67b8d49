#!/usr/bin/env bash
# Sets up what is missing, builds Blokko with warnings as errors and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci

# Further suites (sanitizers, fuzzing, end to end), each a script of its own. The sanitizer suite runs
# first and the fuzzer right after it; the others follow in name order.
ran=" "
for suite in scripts/test-sanitizers.sh scripts/test-fuzz.sh scripts/test-*.sh; do
    [ -e "$suite" ] || continue
    case "$ran" in *" $suite "*) continue ;; esac
    ran="$ran$suite "
    echo "== $suite"
    bash "$suite"
done
echo "All tests passed."
