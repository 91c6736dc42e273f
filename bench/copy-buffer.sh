#!/usr/bin/env bash
# The copy loop's buffer size measured alone (make bench measures the whole extraction): the full-size
# sample's setup copied through each buffer size under Wine, with the 64-bit build (see bench/run.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
work=$out/bench
mkdir -p "$work"
windows_path() { echo "Z:${1//\//\\}"; }
. "$root/scripts/windows-build.sh"
vt_pick_windows_build "$root" x64 "Measuring the 64-bit build." 2>&1
"$out/bin/vtsample" "$out/payload-full" --programs "$vt_out/bin" --size full >/dev/null
"$out/bin/vtpack" build "$out/payload-full" --stub "$vt_cmake/bench/vt_bench_carrier.exe" -o "$work/carrier-full.exe" >/dev/null
"$root/scripts/wine-run.sh" "$vt_cmake/bench/vt_bench_copy_buffer.exe" \
    "$(windows_path "$work/carrier-full.exe")" "$(windows_path "$work")" "${BENCH_ROUNDS:-5}"
