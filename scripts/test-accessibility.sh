#!/usr/bin/env bash
# Screen readers: a real AT-SPI client (tests/accessibility/screen_reader.py, pyatspi) reads and plays
# the real binary on a virtual screen, with a session bus of its own for the accessibility bus.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${BLOKKO_ACCESSIBILITY_BUS:-}" ]; then
    for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || [ -x "$tool" ] || { echo "test-accessibility: FAIL: $tool is missing: run bash scripts/setup.sh" >&2; exit 1; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
        || { echo "test-accessibility: FAIL: pyatspi is missing: run bash scripts/setup.sh" >&2; exit 1; }
    BLOKKO_ACCESSIBILITY_BUS=1 exec dbus-run-session -- bash "$PWD/scripts/test-accessibility.sh" "$@"
fi

suite=test-accessibility
source scripts/lib/blokko-session.sh
start_session
# Qt publishes its accessibility tree only when asked; a screen reader asks through the desktop's
# settings, which a bare session has not.
start_blokko QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 tests/accessibility/screen_reader.py || fail "see above"
alive
