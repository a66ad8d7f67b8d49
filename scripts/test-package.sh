#!/usr/bin/env bash
# Validates the desktop entry and the metainfo, builds the Debian package, unpacks it into a scratch
# root and checks that its files are where the desktop looks and that its program starts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BLOKKO_BUILD_DIR:-build/ci}
app=org.blokko.Blokko

desktop-file-validate "$build/$app.desktop"
appstreamcli validate --no-net "$build/$app.metainfo.xml"

rm -f "$build"/blokko_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/blokko_*.deb)
echo "package: $deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for file in usr/bin/blokko "usr/share/applications/$app.desktop" "usr/share/metainfo/$app.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$app.svg"; do
    if [ ! -f "$root/$file" ]; then
        echo "missing from the package: /$file"
        exit 1
    fi
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 qt6-qpa-plugins fonts-ebgaramond fonts-liberation; do
    if ! grep -q "$needed" <<<"$depends"; then
        echo "the package does not depend on $needed"
        exit 1
    fi
done
if ! dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland; then
    echo "the package does not recommend qt6-wayland (native on a Wayland desktop)"
    exit 1
fi
if grep -q -- "-dev" <<<"$depends"; then
    echo "the package depends on a development package: $depends"
    exit 1
fi

# The installed program must start and keep running until it is stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/blokko" >"$root/out.txt" 2>&1
status=$?
set -e
if [ "$status" -ne 124 ]; then
    echo "the installed program ended by itself (status $status):"
    cat "$root/out.txt"
    exit 1
fi
echo "package OK"
