#!/usr/bin/env bash
# Runs the wineserver that serves a prefix of the given architecture (win32 or win64) with ARGS, for the
# caller's WINEPREFIX: the machine's own, or where no 32-bit code runs, the 32-bit prefix's emulated
# Wine's (scripts/wine-emulated.sh), whose server speaks another protocol version.
# Usage: wine-server.sh ARCH ARGS...
here=$(cd "$(dirname "$0")" && pwd)
arch=$1
shift
if [ "$arch" = win32 ] && ! "$here/wine-loader.sh" >/dev/null; then
    exec "$here/wine-emulated.sh" --server "$@"
fi
exec wineserver "$@"
