#!/usr/bin/env bash
# Runs the native and the Windows tests and ends with one CTest summary for each build.
# Where no 32-bit program runs, the Windows tests are the 64-bit build's (scripts/windows-build.sh),
# and the 32-bit build's besides in the 32-bit prefix under i386 emulation (scripts/wine-emulated.sh;
# VT_EMULATED_TESTS=0 leaves them out).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/windows-build.sh"
status=0
ctest --preset native || status=1
export SAMPLE_SIZE=small
vt_pick_windows_build "$root" dist-x64 "\
*** This machine runs no 32-bit programs (32-bit emulation is off in its kernel): the Windows
*** tests run on the 64-bit build of the setup in the 64-bit prefix." 2>&1
ctest --preset "$vt_preset" -j2 || status=1
[ "$vt_arch" = win32 ] && exit $status

if [ "${VT_EMULATED_TESTS:-1}" = 0 ]; then
    echo "*** The 32-bit build is built but not run (VT_EMULATED_TESTS=0): its Windows tests run under"
    echo "*** i386 emulation with plain make test (scripts/wine-emulated.sh)."
elif "$root/scripts/wine-emulated.sh" --ready; then
    echo "*** The 32-bit build's Windows tests now run in the 32-bit prefix under i386 emulation"
    echo "*** (qemu-i386 and a 32-bit Wine, scripts/wine-emulated.sh): no WOW64 there, so the tests of"
    echo "*** the 64-bit prefix do not run on this build."
    # Only the 32-bit prefix's tests, and the fixtures that have no prefix of their own.
    ctest --preset win32 -j"${VT_EMULATED_JOBS:-2}" -LE '^win64$' || status=1
else
    echo "*** No emulated 32-bit Wine here (scripts/bootstrap.sh sets it up as root): the 32-bit"
    echo "*** build is built but not run."
    status=1
fi
exit $status
