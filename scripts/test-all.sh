#!/usr/bin/env bash
# Runs the native and the Windows tests and ends with one CTest summary for both.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
ctest --preset native || status=1
ctest --preset win32 -j2 || status=1
exit $status
