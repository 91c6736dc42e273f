#!/usr/bin/env bash
# Saves PNGs of the setup's windows, taken from real Wine windows on a virtual display, into
# build/screenshots/. Needs the win32 build (VtSetup-stub.exe and uidriver.exe in build/bin); on a
# machine that runs no 32-bit programs, the x64 build's, in the 64-bit prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${VT_BUILD_ROOT:-$root/build}/screenshots
. "$root/scripts/windows-build.sh"
notice="This machine runs no 32-bit programs: the screenshots show the 64-bit build."
[ "${1:-}" != --inside ] || notice=
vt_pick_windows_build "$root" x64 "$notice"
out=$vt_out
export VT_WINE_ROOT=$out/wine
export VT_SETUP_EXE=$out/bin/VtSetup-stub.exe
export VT_SHOT_DIR=$shots/bmp

# A setup whose payload takes a few seconds to install, so that its progress window can be taken while
# it moves: the sample payload and 1,500 more small files, with the distribution's loose folders.
make_progress_setup() {
    local work=$shots/progress-setup tools=$root/build/bin
    rm -rf "$work"
    mkdir -p "$work/setup"
    "$tools/vtsample" "$work/payload" --programs "$out/bin" --size small >/dev/null
    mkdir -p "$work/payload/QTXData/Progress"
    head -c $((1500 * 16384)) /dev/urandom | split -b 16384 -d -a 4 - "$work/payload/QTXData/Progress/p"
    cp -R "$root/sample/dist/." "$work/setup/"
    "$tools/vtpack" build "$work/payload" --stub "$out/bin/VtSetup-stub.exe" -o "$work/setup/VtSetup.exe" >/dev/null
    export VT_PROGRESS_SETUP=$work/setup
}

run() {
    rm -rf "$shots"
    mkdir -p "$VT_SHOT_DIR"
    "$root/scripts/wine-run.sh" "$out/bin/uidriver.exe" "$root/tools/uidriver/scenarios/screenshots.scn"
    make_progress_setup
    "$root/scripts/wine-run.sh" "$out/bin/uidriver.exe" "$root/tools/uidriver/scenarios/screenshots-progress.scn"
    rm -rf "$shots/progress-setup"
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
