#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix: the CTest emulator of the win32
# build, and the way scripts start the setup. VT_WINE_ARCH picks the prefix (win32, the default, or
# win64); without a display the program gets a private virtual one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/with-display.sh" "$0" "$@"
fi
arch=${VT_WINE_ARCH:-win32}
WINEPREFIX=$("$here/wine-prefix.sh" "$arch")
# A test that watches the loader names its own channels (VT_WINEDEBUG) and overrides (VT_DLL_OVERRIDES).
export WINEPREFIX WINEDEBUG=${VT_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${VT_DLL_OVERRIDES:+;$VT_DLL_OVERRIDES}"
# Keep the server up between the many short test programs instead of starting it for each one.
"$here/wine-server.sh" "$arch" -p 20 </dev/null >/dev/null 2>&1 || true
# The program's output goes through a file: Wine's own background processes (services, devices, the
# desktop) started by the program inherit its output, and CTest would wait for them to let go of a
# pipe.
if [ "$arch" = win32 ]; then
    loader=$("$here/wine-loader.sh" win32)
else
    loader=$("$here/wine-loader.sh") || export WINELOADER=$loader
fi
output=$(mktemp)
"$loader" "$@" </dev/null >"$output" 2>&1 &
program=$!
# Streamed while it runs, so a program that hangs and is killed still shows how far it got.
tail -s 0.1 -f --pid=$program "$output"
status=0
wait $program || status=$?
rm -f "$output"
exit $status
