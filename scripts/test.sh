#!/usr/bin/env bash
# Sets up what is missing, builds Blokko with warnings as errors and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLOKKO_WERROR=ON
cmake --build build/ci
ctest --test-dir build/ci --output-on-failure -j2 --timeout 600

# Further suites (sanitizers, fuzzing, end to end), each a script of its own.
for suite in scripts/test-*.sh; do
    [ -e "$suite" ] || continue
    echo "== $suite"
    bash "$suite"
done
echo "All tests passed."
