#!/usr/bin/env bash
# The browser edition.
#   bash scripts/web.sh            sets up what is missing, builds the page into build/web/ (the build's own
#                                  files go to build/web-build/) and serves it on http://127.0.0.1:8080/ with
#                                  scripts/lib/serve.py (Ctrl+C stops; BLOKKO_PORT chooses another port)
#   bash scripts/web.sh build      builds build/web/ and exits
set -euo pipefail
cd "$(dirname "$0")/.."
# Emscripten's optimizer loads Debian's acorn, which a node from elsewhere does not look for.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

build() {
    local tool
    for tool in em++ node wasm-opt; do
        command -v "$tool" >/dev/null || {
            echo "web.sh: $tool is missing: run bash scripts/setup.sh" >&2
            exit 1
        }
    done
    # Builds before the page had a folder of its own kept the build's files in build/web/ too.
    if [ -e build/web/CMakeCache.txt ]; then rm -rf build/web; fi
    cmake --preset web >/dev/null
    cmake --build --preset web
}

case "${1:-serve}" in
build)
    build
    ;;
serve)
    bash scripts/setup.sh
    build
    exec /usr/bin/python3 scripts/lib/serve.py build/web "${BLOKKO_PORT:-8080}"
    ;;
*)
    echo "usage: bash scripts/web.sh [build]" >&2
    exit 2
    ;;
esac
