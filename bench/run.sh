#!/usr/bin/env bash
# make bench: the setup's extraction of the full-size sample against a plain copy of the same files
# and against an NSIS store-mode installer of them, peak memory, and the size of the setup's image.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
bin=$out/bin
work=$out/bench
rounds=${BENCH_ROUNDS:-3}
mkdir -p "$work"
export VT_WINE_ROOT=${VT_WINE_ROOT:-$out/wine}
windows_path() { echo "Z:${1//\//\\}"; }

"$bin/vtsample" "$out/payload-full" --programs "$bin" --size full >/dev/null
"$bin/vtsample" "$out/payload-small" --programs "$bin" --size small >/dev/null
carrier=$out/win32/bench/vt_bench_carrier.exe
"$bin/vtpack" build "$out/payload-full" --stub "$carrier" -o "$work/carrier-full.exe" >/dev/null
"$bin/vtpack" build "$out/payload-small" --stub "$carrier" -o "$work/carrier-small.exe" >/dev/null

# The peer: the same files in an NSIS installer without compression, installed silently.
cat >"$work/store.nsi" <<NSI
Unicode true
SetCompress off
SilentInstall silent
RequestExecutionLevel user
OutFile "$work/nsis-full.exe"
InstallDir "C:\\vtbench\\nsis"
Section
SetOutPath \$INSTDIR
File /r "$out/payload-full/*"
SectionEnd
NSI
makensis -V1 "$work/store.nsi"

echo "image of the setup without payload: $(stat -c %s "$bin/VtSetup-stub.exe") bytes (VtSetup-stub.exe)"
echo "full-size sample: $(du -sb "$out/payload-full" | cut -f1) bytes in $(find "$out/payload-full" -type f | wc -l) files"
"$root/scripts/with-display.sh" "$root/scripts/wine-run.sh" "$out/win32/bench/vt_bench_extract.exe" \
    "$(windows_path "$work/carrier-full.exe")" "$(windows_path "$work/carrier-small.exe")" \
    "$(windows_path "$out/payload-full")" "$(windows_path "$work/nsis-full.exe")" 'C:\vtbench' "$rounds"
