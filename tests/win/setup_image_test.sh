#!/usr/bin/env bash
# The shipped setup's image holds none of the runtime parts it does not use, imports only DLLs that
# come with Windows, and stays within its size.
# Usage: setup_image_test.sh OBJDUMP IMAGE MAP [MAX_BYTES]
set -uo pipefail
objdump=$1 image=$2 map=$3 max=${4:-}
status=0
fail() { echo "FAIL: $*"; status=1; }

# Object files the link took from an archive, as the map lists them before the memory map.
members=$(sed -n '1,/^Memory Configuration/p' "$map" | grep -o '^[^ ]*\.a([^)]*)' | sort -u)
[ -n "$members" ] || fail "$map lists no archive members"
# Each line: what a part of the runtime is; the archive members that bring it.
while IFS=';' read -r meaning pattern; do
    found=$(grep -E "$pattern" <<<"$members" | head -3 | tr '\n' ' ')
    [ -z "$found" ] || fail "$meaning: $found"
done <<'LIST'
a threading runtime (winpthreads);lib(win)?pthread\.a\(
the C library's printf family;mingw_[a-z]*printf|mingw_pformat|gdtoa
the C++ name demangler of the verbose terminate handler;cp-demangle|vterminate
the GUID table of libuuid;libuuid\.a\(
the C++ library's own throwers and their string type;cow-string-inst|functexcept|cow-stdexcept
per-thread exception records in emulated thread-local storage;eh_globals\.o|emutls\.o
an unwinder (the setup neither throws nor catches);unwind-dw2\.o|unwind-dw2-fde\.o|unwind-c\.o|gthr[-a-z0-9]*\.o
the C++ exception runtime;libsupc\+\+\.a\(eh_|libstdc\+\+\.a\(eh_
64-bit division of a 32-bit program;_u?divdi3\.o|_u?moddi3\.o|_udivmoddi4\.o
LIST

dlls=$("$objdump" -p "$image" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || fail "$image imports no DLL at all"
for dll in $dlls; do
    # The compiler's runtime DLLs (libstdc++-6, libgcc_s_*, libwinpthread-1) are the ones Windows lacks.
    case ${dll,,} in lib*) fail "imports $dll, which Windows does not ship" ;; esac
done
echo "imports: $(echo $dlls)"

size=$(stat -c %s "$image")
echo "image: $size bytes"
if [ -n "$max" ] && [ "$size" -gt "$max" ]; then
    fail "$image is $size bytes, more than $max"
fi
exit $status
