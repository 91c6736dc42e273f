#!/usr/bin/env bash
# A payload that holds "QTXLanguage\English.lng" and "QTXCfg\SoftCfg.ini", older than the loose
# folders' files of the same names beside the setup (a vendor ships a newer language file loose): the
# loose folders are copied after the payload, so their files stand. Installed fresh and again, through
# the window and with /VERYSILENT; each run succeeds, and the loose file's bytes are what is installed.
# Usage: e2e_overlap_test.sh UIDRIVER_EXE VTPACK STUB_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
vtpack=$2
stub=$3
scenarios=$here/e2e_overlap
source "$here/e2e_common.sh"
case_prefix=vt-e2e-overlap
work=$(mktemp -d)
trap remove_made EXIT

tree=$work/tree
cp -R "$payload" "$tree"
mkdir -p "$tree/QTXLanguage" "$tree/QTXCfg"
printf 'an older English.lng from the payload\r\n' >"$tree/QTXLanguage/English.lng"
printf '[BaseCfg]\r\nFromThePayload=1\r\n' >"$tree/QTXCfg/SoftCfg.ini"
case_folder setup
setup_dir=$folder
cp -R "$dist/." "$setup_dir/"
"$vtpack" build "$tree" --stub "$stub" -o "$setup_dir/VtSetup.exe" >/dev/null || { fail "vtpack build"; exit 1; }

check() {  # install folder (Linux)
    local installed=$1/Vectrace soft
    same_file "$dist/QTXLanguage/English.lng" "$installed/QTXLanguage/English.lng"
    soft=$(tr -d '\r' <"$installed/QTXCfg/SoftCfg.ini" 2>/dev/null)
    grep -qx "Language=3" <<<"$soft" || fail "SoftCfg.ini language: $soft"
    grep -qxF "Model=QTX-6040" <<<"$soft" || fail "SoftCfg.ini is not the shipped one: $soft"
    grep -q FromThePayload <<<"$soft" && fail "SoftCfg.ini is the payload's"
    local left
    left=$(find "$1" -name '~vtsetup*')
    [ -z "$left" ] || fail "left behind: $left"
}

window() {
    echo "--- $case_name: the window"
    E2E_SETUP_DIR=$(windows_path "$setup_dir") E2E_TARGET=$(windows_path "$folder") E2E_MESSAGE="Install OK!" \
        timeout -k 5 120 "$runner" "$uidriver" "$scenarios/install.scn" || fail "scenario install"
}

unattended() {
    local code=0
    echo "--- $case_name: /VERYSILENT"
    timeout -k 5 120 "$runner" "$setup_dir/VtSetup.exe" /VERYSILENT "/DIR=$(windows_path "$folder")" /LANG=3 \
        "/LOG=Z:${work//\//\\}\\setup.log" || code=$?
    [ "$code" = 0 ] || fail "exit code $code, expected 0: $(cat "$work/setup.log" 2>/dev/null)"
}

for how in window unattended; do
    case_name=$how-fresh
    case_folder "$how"
    $how
    check "$folder"
    case_name=$how-again
    $how
    check "$folder"
done

[ "$failures" = 0 ] && echo "all cases passed" || echo "$failures failure(s)"
[ "$failures" = 0 ]
