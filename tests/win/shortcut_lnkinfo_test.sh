#!/usr/bin/env bash
# Writes a shortcut with and one without an icon under Wine and reads them with lnkinfo (liblnk), so
# the files are checked by a reader that is not the shell that wrote them.
# Usage: shortcut_lnkinfo_test.sh WRITE_SHORTCUT_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runner=$here/../../scripts/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows() { echo "Z:${1//\//\\}"; }

program='C:\Tools\Vectrace\QTXPrograms\Vectrace.exe'
icon='C:\Tools\Vectrace\QTXRes\title.ico'
"$runner" "$1" "$(windows "$work/Vectrace.lnk")" "$program" "$program" "$icon"
"$runner" "$1" "$(windows "$work/Uninstall.lnk")" 'C:\Tools\Vectrace\QTXPrograms\Uninstall.exe' "$program"

fail=0
expect() {  # file, pattern that must (or with !, must not) appear
    local file=$1 pattern=$2
    if [[ $pattern == !* ]]; then
        if grep -qF -- "${pattern#!}" "$file"; then echo "unexpected in $file: ${pattern#!}"; fail=1; fi
    elif ! grep -qF -- "$pattern" "$file"; then
        echo "missing in $file: $pattern"; fail=1
    fi
}
lnkinfo "$work/Vectrace.lnk" >"$work/with-icon.txt"
lnkinfo "$work/Uninstall.lnk" >"$work/without-icon.txt"
cat "$work/with-icon.txt" "$work/without-icon.txt"

expect "$work/with-icon.txt" "$program"
expect "$work/with-icon.txt" "Description"
expect "$work/with-icon.txt" "Icon location"
expect "$work/with-icon.txt" "$icon"
expect "$work/with-icon.txt" "!Command line arguments"
expect "$work/with-icon.txt" "!Working directory"
expect "$work/without-icon.txt" 'C:\Tools\Vectrace\QTXPrograms\Uninstall.exe'
expect "$work/without-icon.txt" "!Icon location"
exit $fail
