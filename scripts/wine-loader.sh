#!/usr/bin/env bash
# Prints the Wine loader to start the project's programs with. The 32-bit loader runs a 32-bit program
# in either prefix (under WOW64 in the 64-bit one) and is the one to use wherever it runs. A kernel
# whose 32-bit emulation is switched off cannot run it, nor any 32-bit code at all: there only the
# 64-bit loader works, for 64-bit programs in the 64-bit prefix. Exits 1 in that case, so callers can
# also ask "does this machine run 32-bit programs?".
#
# wine-loader.sh win32 prints the loader for the 32-bit prefix instead: the same where 32-bit code
# runs, otherwise the emulated 32-bit Wine (scripts/wine-emulated.sh) when it is set up; exit 1 when
# there is none.
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" = win32 ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo /usr/lib/wine/wine
    elif "$here/wine-emulated.sh" --ready; then
        echo "$here/wine-emulated.sh"
    else
        exit 1
    fi
    exit 0
fi
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo /usr/lib/wine/wine
else
    echo /usr/lib/wine/wine64
    exit 1
fi
