#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Blokko need, if any are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkgconf
    qt6-base-dev libgl-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang clang-format libclang-rt-14-dev
    xvfb xdotool x11-utils x11-apps imagemagick
    fonts-ebgaramond fonts-liberation fonts-dejavu-core fonts-dancingscript fonts-kaushanscript
    python3-fonttools
    desktop-file-utils appstream dpkg-dev file
)
# The fonts above are measured at build time by Debian's Python with fontTools (tools/font_table.py).
# Screen readers and keyboard layouts (scripts/test-accessibility.sh, scripts/test-layouts.sh): the
# accessibility bus and a session bus to run it on, Debian's Python binding of AT-SPI, and setxkbmap
# with the layouts it sets.
packages+=(
    at-spi2-core dbus dbus-x11 python3-pyatspi
    x11-xkb-utils xkb-data
)

# The browser edition (scripts/web.sh, scripts/test-web.sh, scripts/bench-web.sh): Emscripten with the
# JavaScript parser its optimizer loads, and headless Chromium driven through Selenium for the page's
# tests (Pillow reads their screenshots). The page serves the desktop's font packages above.
packages+=(emscripten node-acorn chromium chromium-driver python3-selenium python3-pil python3-numpy)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
