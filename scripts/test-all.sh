#!/usr/bin/env bash
# Runs the native and the Windows tests and ends with one CTest summary for each build.
# Where no 32-bit program runs, the Windows tests are the 64-bit build's (scripts/windows-build.sh).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/windows-build.sh"
status=0
ctest --preset native || status=1
export SAMPLE_SIZE=small
vt_pick_windows_build "$root" dist-x64 "\
*** This machine runs no 32-bit programs (32-bit emulation is off in its kernel): the Windows
*** tests run on the 64-bit build of the setup in the 64-bit prefix; the 32-bit build is
*** built but not run." 2>&1
ctest --preset "$vt_preset" -j2 || status=1
exit $status
