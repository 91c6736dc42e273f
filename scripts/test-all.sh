#!/usr/bin/env bash
# Runs the native and the Windows tests and ends with one CTest summary for each build.
#
# The setup is a 32-bit program and its tests are too. A machine whose kernel has 32-bit emulation
# switched off runs no 32-bit code, under Wine or otherwise: there the same sources are built for
# 64-bit Windows and their tests run in the 64-bit prefix instead, which still proves the setup's
# behaviour on Windows, though not the WOW64 side of it (the 32-bit registry view, the redirected
# system folder), and this script says so.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
ctest --preset native || status=1
if "$root/scripts/wine-loader.sh" >/dev/null; then
    ctest --preset win32 -j2 || status=1
else
    echo "*** This machine runs no 32-bit programs (32-bit emulation is off in its kernel): the Windows"
    echo "*** tests run on the 64-bit build of the setup in the 64-bit prefix; the 32-bit build is"
    echo "*** built but not run."
    { make -C "$root" --no-print-directory dist-x64 SAMPLE_SIZE=small && ctest --preset x64 -j2; } || status=1
fi
exit $status
