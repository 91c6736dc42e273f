#!/usr/bin/env bash
# Lays out the distribution a vendor hands to users: the setup with the sample payload appended, its
# configuration and the loose folders beside it. SAMPLE_SIZE=full makes the payload of realistic size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VT_BUILD_ROOT:-$root/build}
bin=$out/bin
dist=$out/dist
payload=$out/payload-${SAMPLE_SIZE:-small}
# The native tools; a second build root (the 64-bit Windows build's) has Windows programs only.
tools=${VT_TOOLS_DIR:-$bin}

"$tools/vtsample" "$payload" --programs "$bin" --size "${SAMPLE_SIZE:-small}"
rm -rf "$dist.tmp"
mkdir -p "$dist.tmp"
"$tools/vtpack" build "$payload" --stub "$bin/VtSetup-stub.exe" -o "$dist.tmp/VtSetup.exe"
cp -R "$root/sample/dist/." "$dist.tmp/"
rm -rf "$dist"
mv "$dist.tmp" "$dist"
