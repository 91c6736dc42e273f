#!/usr/bin/env bash
# make bench: the setup's extraction of the full-size sample against a plain copy of the same files
# and against an NSIS store-mode installer of them, peak memory, and the size of the setup's image
# beside its goal and its peers (bench/image-size.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
tools=$out/bin
work=$out/bench
rounds=${BENCH_ROUNDS:-3}
mkdir -p "$work"
windows_path() { echo "Z:${1//\//\\}"; }

# Where no 32-bit program runs, the 64-bit build is measured instead, without the (32-bit) NSIS peer.
. "$root/scripts/windows-build.sh"
# The emulated 32-bit Wine (scripts/wine-emulated.sh) is not measured: emulated time says nothing
# about a processor.
vt_pick_windows_build "$root" x64 "This machine runs no 32-bit programs: measuring the 64-bit build, without the NSIS installer.
The 32-bit build is not measured under emulation: emulated time says nothing about a processor." 2>&1
peer=nsis
[ "$vt_arch" = win32 ] || peer=
bin=$vt_out/bin programs=$vt_cmake

"$tools/vtsample" "$out/payload-full" --programs "$bin" --size full >/dev/null
"$tools/vtsample" "$out/payload-small" --programs "$bin" --size small >/dev/null
carrier=$programs/bench/vt_bench_carrier.exe
"$tools/vtpack" build "$out/payload-full" --stub "$carrier" -o "$work/carrier-full.exe" >/dev/null
"$tools/vtpack" build "$out/payload-small" --stub "$carrier" -o "$work/carrier-small.exe" >/dev/null
"$tools/vtpack" build "$out/payload-full" --stub "$programs/bench/vt_bench_install_carrier.exe" \
    -o "$work/install-carrier-full.exe" >/dev/null

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
[ -z "$peer" ] || makensis -V1 "$work/store.nsi"

"$root/bench/image-size.sh"
echo "full-size sample: $(du -sb "$out/payload-full" | cut -f1) bytes in $(find "$out/payload-full" -type f | wc -l) files"
nsis_exe=-
[ -z "$peer" ] || nsis_exe=$(windows_path "$work/nsis-full.exe")
"$root/scripts/with-display.sh" "$root/scripts/wine-run.sh" "$programs/bench/vt_bench_extract.exe" \
    "$(windows_path "$work/carrier-full.exe")" "$(windows_path "$work/carrier-small.exe")" \
    "$(windows_path "$work/install-carrier-full.exe")" \
    "$(windows_path "$out/payload-full")" "$nsis_exe" 'C:\vtbench' "$rounds"
