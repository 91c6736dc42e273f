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
# Signed only now, after the payload is in: SIGN_CERT and SIGN_KEY name a PEM certificate (chain) and its
# key; SIGN_KEY_PASS and SIGN_TIMESTAMP_URL are optional.
if [ -n "${SIGN_CERT:-}" ] || [ -n "${SIGN_KEY:-}" ]; then
    : "${SIGN_CERT:?SIGN_CERT names the certificate}" "${SIGN_KEY:?SIGN_KEY names the key}"
    options=(-certs "$SIGN_CERT" -key "$SIGN_KEY" -n "Vectrace Setup" -h sha256)
    [ -z "${SIGN_KEY_PASS:-}" ] || options+=(-pass "$SIGN_KEY_PASS")
    [ -z "${SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$SIGN_TIMESTAMP_URL")
    osslsigncode sign "${options[@]}" -in "$dist.tmp/VtSetup.exe" -out "$dist.tmp/VtSetup-signed.exe" >/dev/null
    mv "$dist.tmp/VtSetup-signed.exe" "$dist.tmp/VtSetup.exe"
    "$tools/vtpack" verify "$dist.tmp/VtSetup.exe"
fi
cp -R "$root/sample/dist/." "$dist.tmp/"
rm -rf "$dist"
mv "$dist.tmp" "$dist"
