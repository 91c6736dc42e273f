#!/usr/bin/env bash
# vtpack list names the version of the setup program a setup was built on: the distribution's, as its
# version resource gives it, and "none" for a program without one.
# Usage: vtpack_version_test.sh VTPACK DIST_SETUP OTHER_STUB PAYLOAD_DIR WORK_DIR EXPECTED_VERSION
set -euo pipefail
vtpack=$1 dist_setup=$2 other_stub=$3 payload=$4 work=$5 expected=$6
status=0
check() {
    local setup=$1 want=$2 line
    line=$("$vtpack" list "$setup" | grep '^setup program: ' || true)
    if [ "$line" = "setup program: version $want" ]; then
        echo "ok: $(basename "$setup"): $line"
    else
        echo "FAIL: $(basename "$setup"): '$line', expected 'setup program: version $want'"
        status=1
    fi
}
check "$dist_setup" "$expected"
rm -rf "$work" && mkdir -p "$work"
"$vtpack" build "$payload" --stub "$other_stub" -o "$work/without-version.exe" >/dev/null
check "$work/without-version.exe" none
rm -rf "$work"
exit $status
