#!/usr/bin/env bash
# No writing or deleting through a planted link. Under Wine a Unix symbolic link to a folder shows as a
# reparse point, so the attack is made from Linux: after a first installation a link replaces
# <target>\Vectrace\QTXCad (which the installation empties and removes), or stands for the install
# folder itself, or for QTXCfg\Backup, and points to a folder with another program's files. The
# reinstallation, through the window and unattended, ends with the path error before it writes
# anything, names the link in its log, and leaves the other folder exactly as it was. A host folder
# that is itself a link is the user's choice and is installed into.
# (A Unix link to a file shows as a plain file under Wine: the file case is proven by the rule's unit
# test.)
# Usage: e2e_links_test.sh UIDRIVER_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
source "$here/e2e_common.sh"
work=$(mktemp -d)
case_prefix=vt-e2e-links
cleanup() {
    for folder in "${made[@]}"; do rm -rf "$folder"; done
    rm -f "$desktop/Vectrace.lnk"
    rm -rf "$menu" "$work"
}
trap cleanup EXIT

# The other program's folder: files of its own and one under a name the payload's QTXCad also has.
other_program() {  # FOLDER
    mkdir -p "$1/sub"
    echo "the other program's settings" >"$1/other.ini"
    echo "the other program's library" >"$1/sub/other.dll"
    local payload_file
    payload_file=$(find "$payload/QTXCad" -maxdepth 1 -type f | head -n 1)
    echo "the other program's own $(basename "$payload_file")" >"$1/$(basename "$payload_file")"
    snapshot "$1" >"$work/other-before"
}
snapshot() { (cd "$1" && find . -printf '%y %p %s\n' | sort && find . -type f -exec md5sum {} + | sort); }
other_unchanged() {  # FOLDER
    snapshot "$1" >"$work/other-after"
    diff "$work/other-before" "$work/other-after" || fail "the other program's folder changed"
}

install_window() {  # TARGET_LINUX MESSAGE
    E2E_LANGUAGE=1 E2E_PATH_CAPTION=$(caption_for 1) E2E_TARGET=$(windows_path "$1") E2E_MESSAGE=$2 \
        timeout -k 5 120 "$runner" "$uidriver" "$here/e2e_install/main_software.scn" || fail "window: expected '$2'"
}
install_unattended() {  # TARGET_LINUX EXPECTED_EXIT -> $log
    log=$work/$case_name.log
    local code=0
    timeout -k 5 120 "$runner" "$dist/VtSetup.exe" /VERYSILENT /LANG=3 "/DIR=$(windows_path "$1")" \
        "/LOG=Z:${log//\//\\}" || code=$?
    [ "$code" = "$2" ] || fail "unattended exit code $code, expected $2"
}
log_names_link() {  # LINK_LINUX
    grep -qF "A link (reparse point) lies on the way: $(windows_path "$1")." "$log" ||
        fail "the log does not name the link: $(tr -d '\r' <"$log" | tail -n 4)"
    grep -qF "Failed: The path is error!" "$log" || fail "the log has no path error: $(tr -d '\r' <"$log" | tail -n 3)"
}

# --- a link in place of a plug-in folder the installation empties and removes
for where in QTXCad QTXCfg/Backup; do
    case_name=link-at-${where//\//-}
    case_folder "${where//\//-}"
    target=$folder/target
    mkdir -p "$target"
    echo "--- $case_name: first installation"
    install_unattended "$target" 0
    other=$folder/other
    other_program "$other"
    rm -rf "${target:?}/Vectrace/$where"
    ln -s "$other" "$target/Vectrace/$where"
    cp -R "$target" "$work/installed-before"
    echo "--- $case_name: through the window"
    install_window "$target" "The path is error!"
    other_unchanged "$other"
    echo "--- $case_name: unattended"
    install_unattended "$target" 2
    log_names_link "$target/Vectrace/$where"
    other_unchanged "$other"
    [ -L "$target/Vectrace/$where" ] || fail "the link itself is gone"
    diff -r --no-dereference "$work/installed-before" "$target" >/dev/null || fail "the installation changed files"
    rm -rf "$work/installed-before"
done

# --- the install folder itself is a link, made by any user under the target
case_name=link-as-install-folder
case_folder install-folder
target=$folder/target
mkdir -p "$target"
other=$folder/other
other_program "$other"
ln -s "$other" "$target/Vectrace"
echo "--- $case_name"
install_window "$target" "The path is error!"
install_unattended "$target" 2
log_names_link "$target/Vectrace"
other_unchanged "$other"

# --- the target the user names may itself be a link: installed into
case_name=target-is-a-link
case_folder target-link
mkdir -p "$folder/real"
ln -s "$folder/real" "$folder/chosen"
echo "--- $case_name"
install_unattended "$folder/chosen" 0
cmp -s "$payload/QTXPrograms/Vectrace.exe" "$folder/real/Vectrace/QTXPrograms/Vectrace.exe" ||
    fail "not installed through the chosen link"

echo "$failures failure(s)"
[ "$failures" = 0 ]
