#!/usr/bin/env bash
# Prints the Wine loader to start the project's programs with. The 32-bit loader runs a 32-bit program
# in either prefix (under WOW64 in the 64-bit one) and is the one to use wherever it runs. A kernel
# whose 32-bit emulation is switched off cannot run it, nor any 32-bit code at all: there only the
# 64-bit loader works, for 64-bit programs in the 64-bit prefix. Exits 1 in that case, so callers can
# also ask "does this machine run 32-bit programs?".
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo /usr/lib/wine/wine
else
    echo /usr/lib/wine/wine64
    exit 1
fi
