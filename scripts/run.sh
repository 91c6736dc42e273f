#!/usr/bin/env bash
# Starts the distribution's VtSetup.exe under Wine in the project's 32-bit prefix. On a display the
# setup runs until the user closes it; without one it runs on a virtual display, a screenshot is
# saved and its path printed, and the setup is ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/windows-build.sh"
vt_pick_windows_build "$root" dist-x64 "This machine runs no 32-bit programs (32-bit emulation is off in its kernel): \
starting the 64-bit build of the setup in the 64-bit prefix instead."
setup=$vt_out/dist/VtSetup.exe

if [ -n "${DISPLAY:-}" ]; then
    exec "$root/scripts/wine-run.sh" "$setup"
fi

shot=${VT_BUILD_ROOT:-$root/build}/screenshots/run.png
mkdir -p "$(dirname "$shot")"
"$root/scripts/with-display.sh" bash -c '
    "$1/scripts/wine-run.sh" "$2" &
    runner=$!
    sleep "${VT_RUN_SECONDS:-8}"
    import -window root "$3"
    WINEPREFIX=$VT_WINE_ROOT/$VT_WINE_ARCH "$1/scripts/wine-server.sh" "$VT_WINE_ARCH" -k >/dev/null 2>&1 || true
    wait $runner 2>/dev/null || true
' run "$root" "$setup" "$shot"
echo "No display: the setup ran on a virtual one. Screenshot: $shot"
