#!/usr/bin/env bash
# vtpack builds a setup from a Linux tree; the setup's own extractors, running under Wine with the
# Chinese ANSI code page, must give back the same tree, names included, for each of the two selections.
# Usage: vtpack_roundtrip_test.sh BIN_DIR CARRIER_EXE WORK_DIR [TOOLS_DIR]
# (TOOLS_DIR holds the native vtsample and vtpack when BIN_DIR has Windows programs only.)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1 carrier=$2 work=$3 tools=${4:-$1}
rm -rf "$work"
mkdir -p "$work"
tree=$work/tree
"$tools/vtsample" "$tree" --programs "$bin" --size small >/dev/null
# Names outside ASCII travel as code page 936 bytes, with folders of their own.
mkdir -p "$tree/QTXData/图形库"
printf '中文内容\r\n' >"$tree/QTXData/说明.txt"
printf 'shape' >"$tree/QTXData/图形库/矩形.plt"

"$tools/vtpack" build "$tree" --stub "$carrier" -o "$work/setup.exe" >/dev/null
"$tools/vtpack" verify "$work/setup.exe" >/dev/null

status=0
for selection in payload drivers; do
    out=$work/out-$selection
    expected=$work/expected-$selection
    mkdir -p "$out" "$expected"
    if [ $selection = payload ]; then
        (cd "$tree" && cp -R --parents $(ls | grep -v -x MxDriver) "$expected"/)
    else
        (cd "$tree" && cp -R --parents MxDriver QTXDriver "$expected"/)
    fi
    code=0
    LANG=zh_CN.UTF-8 "$here/../../scripts/wine-run.sh" "$work/setup.exe" "Z:${out//\//\\}\\" $selection || code=$?
    if [ $code -ne 1 ]; then
        echo "FAIL: $selection extraction returned $code, expected 1"
        status=1
    elif ! diff -r "$expected" "$out"; then
        echo "FAIL: $selection extraction differs from the tree"
        status=1
    else
        echo "ok: $selection: $(find "$out" -type f | wc -l) files equal to the tree"
    fi
done
exit $status
