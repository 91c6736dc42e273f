#!/usr/bin/env bash
# The size of the shipped setup's image without payload, beside its limit, its goal and two peers, and
# where its bytes go (from the map of its link). Part of make bench; runs on its own after make win32.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
limit=163840 goal=77824
nsis_stub=/usr/share/nsis/Stubs/zlib-x86-unicode
sevenzip_sfx=27648  # 7-Zip's console SFX (7zCon.sfx), its published size
grouped() { sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"; }

image=$out/bin/VtSetup-stub.exe
size=$(stat -c %s "$image")
echo "image of the shipped setup without payload: $(grouped "$size") bytes ($image)"
echo "  at most $(grouped $limit) bytes, goal $(grouped $goal) bytes"
if [ -f "$nsis_stub" ]; then
    echo "  NSIS's stub: $(grouped "$(stat -c %s "$nsis_stub")") bytes ($nsis_stub)"
else
    echo "  NSIS's stub: 92,672 bytes (zlib-x86-unicode as Debian builds it; nsis is not installed here)"
fi
echo "  7-Zip's console SFX: $(grouped $sevenzip_sfx) bytes (stated)"
x64_image=$root/build/x64/bin/VtSetup-stub.exe
[ "$out" = "$root/build/x64" ] || [ ! -f "$x64_image" ] ||
    echo "  the 64-bit build of the same sources: $(grouped "$(stat -c %s "$x64_image")") bytes"
map=$out/win32/app/VtSetup-stub.map
if [ -f "$map" ]; then
    echo "  where the bytes go (scripts/image-map.sh $map):"
    "$root/scripts/image-map.sh" "$map" 0 | sed -n '/^by origin:/,/^$/p' | sed '1d;/^$/d;s/^/  /'
fi
