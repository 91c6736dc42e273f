#!/usr/bin/env bash
# Saves PNGs of the setup's windows, taken from real Wine windows on a virtual display, into
# build/screenshots/. Needs the win32 build (VtSetup-stub.exe and uidriver.exe in build/bin); on a
# machine that runs no 32-bit programs, the x64 build's, in the 64-bit prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
shots=$out/screenshots
arch=win32
if ! "$root/scripts/wine-loader.sh" >/dev/null; then
    [ "${1:-}" = --inside ] || echo "This machine runs no 32-bit programs: the screenshots show the 64-bit build." >&2
    make -C "$root" --no-print-directory x64 >/dev/null
    out=$out/x64 arch=win64
fi
export VT_WINE_ROOT=$out/wine VT_WINE_ARCH=$arch
export VT_SETUP_EXE=$out/bin/VtSetup-stub.exe
export VT_SHOT_DIR=$shots/bmp

run() {
    rm -rf "$shots"
    mkdir -p "$VT_SHOT_DIR"
    "$root/scripts/wine-run.sh" "$out/bin/uidriver.exe" "$root/tools/uidriver/scenarios/screenshots.scn"
}

if [ "${1:-}" != --inside ]; then
    exec "$root/scripts/with-display.sh" "$0" --inside
fi
run
for bmp in "$VT_SHOT_DIR"/*.bmp; do
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png"
done
rm -rf "$VT_SHOT_DIR"
ls "$shots"/*.png
