#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in build/asan (the standard
# library's assertions on, so any std::array index out of range aborts) and runs them; any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# The Qt tests run too (offscreen); Qt's own leaks (fontconfig and the like) are suppressed from
# tests/sanitizers/lsan.supp. BLOKKO_ASAN_GUI=0 leaves them out.
gui=ON
if [ "${BLOKKO_ASAN_GUI:-1}" = 0 ]; then
    gui=OFF
fi

# The flags live in the "sanitizers" preset.
cmake --preset sanitizers -DBLOKKO_GUI="$gui"
cmake --build --preset sanitizers

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/asan --output-on-failure -j2 --timeout 900
