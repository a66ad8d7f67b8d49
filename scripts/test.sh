#!/usr/bin/env bash
# Sets up what is missing, builds Blokko with warnings as errors and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci

# Further suites (sanitizers, fuzzing, end to end), each a script of its own.
for suite in scripts/test-*.sh; do
    [ -e "$suite" ] || continue
    echo "== $suite"
    bash "$suite"
done
echo "All tests passed."
