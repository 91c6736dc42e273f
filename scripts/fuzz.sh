#!/usr/bin/env bash
# Runs every fuzzer of build/fuzz for FUZZ_SECONDS (default 60) each, from its seed corpus. A crash
# leaves its input in build/fuzz/findings/ and fails the run: add that input as a regression case.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$build/findings"
status=0
for fuzzer in "$build"/tests/fuzz/*_fuzz; do
    name=$(basename "$fuzzer")
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    [ -d "$root/tests/fuzz/seeds/$name" ] && cp -n "$root/tests/fuzz/seeds/$name"/* "$corpus"/ 2>/dev/null
    echo "== $name: ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -artifact_prefix="$build/findings/$name-" "$corpus" 2>&1 | tail -n 3 ||
        status=1
done
exit $status
