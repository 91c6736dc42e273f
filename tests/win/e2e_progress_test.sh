#!/usr/bin/env bash
# The install progress window end to end: a setup whose payload holds 1,500 more small files, so that
# installing it takes several seconds under Wine, driven through the real window and with /SILENT. The
# bar is read while it installs, the status names a file, Cancel then Yes leaves the earlier
# installation byte for byte as it was, and a run left alone ends with the bar full and "Install OK!".
# Usage: e2e_progress_test.sh UIDRIVER_EXE VTPACK STUB_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
vtpack=$2
stub=$3
scenarios=$here/e2e_progress
source "$here/e2e_common.sh"
case_prefix=vt-e2e-progress
work=$(mktemp -d)
trap remove_made EXIT

# The distribution's folder with a setup of the larger payload in it.
tree=$work/tree
cp -R "$payload" "$tree"
mkdir -p "$tree/QTXData/Progress"
head -c $((1500 * 16384)) /dev/urandom | split -b 16384 -d -a 4 - "$tree/QTXData/Progress/p"
case_folder setup
setup_dir=$folder
cp -R "$dist/." "$setup_dir/"
"$vtpack" build "$tree" --stub "$stub" -o "$setup_dir/VtSetup.exe" >/dev/null || { fail "vtpack build"; exit 1; }

scenario() {
    local name=$1
    shift
    echo "--- $case_name: scenario $name $*"
    env "$@" "E2E_SETUP_DIR=$(windows_path "$setup_dir")" timeout -k 5 300 "$runner" "$uidriver" \
        "$scenarios/$name.scn" || fail "scenario $name"
}
# Every file below the folder with its checksum; the user's backups apart.
fingerprint() { (cd "$1" && find . -type f ! -path '*/Backup/*' -exec md5sum {} + | sort); }
no_leftovers() {
    local left
    left=$(find "$1" -name '~vtsetup*')
    [ -z "$left" ] || fail "left behind: $left"
}

case_name=first-version
case_folder target
target=$(windows_path "$folder")
code=0
timeout -k 5 300 "$runner" "$setup_dir/VtSetup.exe" /VERYSILENT "/DIR=$target" /LANG=3 || code=$?
[ "$code" = 0 ] || fail "the first installation ended with $code"
# Marked, so that any file the cancelled run replaced and did not put back shows.
while IFS= read -r -d '' file; do
    printf 'first version of %s' "${file#"$folder"/}" >"$file"
done < <(find "$folder/Vectrace" -type f ! -name '*.lnk' -print0)
first=$(fingerprint "$folder/Vectrace")

case_name=window-cancelled
scenario progress_cancelled "E2E_TARGET=$target"
[ "$(fingerprint "$folder/Vectrace")" = "$first" ] || fail "the earlier installation changed"
no_leftovers "$folder"

case_name=window-completes
scenario progress_completes "E2E_TARGET=$target"
same_file "$tree/QTXData/Progress/p1499" "$folder/Vectrace/QTXData/Progress/p1499"
same_file "$tree/QTXPrograms/Vectrace.exe" "$folder/Vectrace/QTXPrograms/Vectrace.exe"
no_leftovers "$folder"

case_name=silent-cancelled
rm -f "$folder/Vectrace/QTXData/Progress/p0000"  # a file the cancelled run would add back
second_without=$(fingerprint "$folder/Vectrace")
log=$work/silent.log
scenario silent_cancelled "E2E_TARGET=$target" "E2E_LOG=Z:${log//\//\\}"
[ "$(fingerprint "$folder/Vectrace")" = "$second_without" ] || fail "the installation changed"
absent "$folder/Vectrace/QTXData/Progress/p0000"
grep -q "cancelled by the user" "$log" || fail "the log does not say it was cancelled: $(cat "$log")"
grep -q "Exit code 5" "$log" || fail "the log does not end with exit code 5"
grep -q "Done:" "$log" && fail "success told after a cancel"
no_leftovers "$folder"

echo "$failures failure(s)"
[ "$failures" = 0 ]
