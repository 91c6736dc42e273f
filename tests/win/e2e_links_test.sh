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
# The start menu's folders, which cases below turn into links and back.
programs=$(dirname "$menu")
start_menu=$(dirname "$programs")
restore_start_menu() {
    for place in "$programs" "$start_menu"; do
        if [ -L "$place" ]; then
            rm -f "$place"
            mv "$work/real-$(basename "$place")" "$place"
        fi
    done
}
cleanup() {
    restore_start_menu
    remove_made
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
# and a missing folder under it, made through it
install_unattended "$folder/chosen/deeper" 0
[ -f "$folder/real/deeper/Vectrace/QTXPrograms/Vectrace.exe" ] || fail "not installed into a new folder under the link"

# --- a profile moved through a link (the start-menu programs folder, or a folder above it, a link to
# where it now lives): the system's business, the installation succeeds; a link at Programs\Vectrace,
# which the installation makes and writes into, is refused before anything is written.
for moved in "$programs" "$start_menu"; do
    case_name=moved-$(basename "$moved" | tr ' ' -)
    case_folder "$case_name"
    rm -rf "$menu"
    mv "$moved" "$work/real-$(basename "$moved")"
    ln -s "$work/real-$(basename "$moved")" "$moved"
    echo "--- $case_name"
    install_unattended "$folder" 0
    [ -f "$menu/Vectrace.lnk" ] && [ -f "$menu/Uninstall.lnk" ] || fail "no start-menu shortcuts through the link"
    [ -f "$desktop/Vectrace.lnk" ] || fail "no desktop shortcut"
    restore_start_menu
done
case_name=link-at-menu-folder
case_folder menu-folder
rm -rf "$menu"
other=$folder/other
mkdir -p "$other"
echo "the other program's shortcut" >"$other/Vectrace.lnk"
snapshot "$other" >"$work/other-before"
ln -s "$other" "$menu"
rm -f "$desktop/Vectrace.lnk"
echo "--- $case_name"
install_unattended "$folder/target" 2
log_names_link "$menu"
other_unchanged "$other"
[ -e "$folder/target" ] && fail "written: $(find "$folder/target" | head -n 3)"
[ -e "$desktop/Vectrace.lnk" ] && fail "the desktop shortcut was written"
rm -f "$menu"

# --- a loose folder beside the setup that is a link (a user who may write where the administrator starts
# the setup made QTXDoc a link to a folder of another's): refused before anything is written, nothing of
# that folder copied. The setup's own folder may be a link: the user chose where to start it.
case_name=loose-folder-link
case_folder loose
copy=$folder/setup
mkdir -p "$copy"
cp -R "$dist/." "$copy/"
secret=$folder/secret
mkdir -p "$secret"
echo "an administrator's private notes" >"$secret/Private.txt"
rm -rf "$copy/QTXDoc"
ln -s "$secret" "$copy/QTXDoc"
# from_copy SETUP_FOLDER EXPECTED_EXIT -> $log: the copy's setup run unattended into $folder/target.
from_copy() {
    echo "--- $case_name"
    log=$work/$case_name.log
    local code=0
    timeout -k 5 120 "$runner" "$1/VtSetup.exe" /VERYSILENT /LANG=3 "/DIR=$(windows_path "$folder/target")" \
        "/LOG=Z:${log//\//\\}" || code=$?
    [ "$code" = "$2" ] || fail "unattended exit code $code, expected $2"
}
from_copy "$copy" 2
log_names_link "$copy/QTXDoc"
[ -e "$folder/target" ] && fail "written: $(find "$folder/target" | head -n 3)"
find "$folder" -name Private.txt ! -path "$secret/*" | grep -q . && fail "the linked folder's file was copied"
# A file inside a loose folder that is a link, likewise.
rm -f "$copy/QTXDoc"
cp -R "$dist/QTXDoc" "$copy/QTXDoc"
ln -s "$secret" "$copy/QTXDoc/Inside"
case_name=loose-folder-link-inside
from_copy "$copy" 2
log_names_link "$copy/QTXDoc/Inside"
[ -e "$folder/target" ] && fail "written: $(find "$folder/target" | head -n 3)"
rm -f "$copy/QTXDoc/Inside"
case_name=setup-folder-is-a-link
ln -s "$copy" "$folder/chosen-setup"
from_copy "$folder/chosen-setup" 0
cmp -s "$dist/QTXDoc/ReadMe.txt" "$folder/target/Vectrace/QTXDoc/ReadMe.txt" || fail "QTXDoc not installed"

# --- an existing install folder that every user may change (made in advance, or by an older setup):
# after the installation it has what a new one gets. Wine keeps no access lists: it maps them to the
# Unix mode and back, the world's bits standing for Everyone. What shows is that Everyone's write is
# gone from the folder and from what lies below it, the installation's files and one it did not write
# alike (the owner's and group's bits are Wine's reading of Administrators and SYSTEM, not users').
case_name=loose-permissions
case_folder permissions
target=$folder/target
mkdir -p "$target/Vectrace/QTXCfg" "$target/Vectrace/Own"
echo "left by another program" >"$target/Vectrace/Own/notes.txt"
chmod 777 "$target/Vectrace" "$target/Vectrace/QTXCfg" "$target/Vectrace/Own"
chmod 666 "$target/Vectrace/Own/notes.txt"
echo "--- $case_name"
install_unattended "$target" 0
grep -qF "$(windows_path "$target/Vectrace") exists: given owner Administrators and the permissions of Program Files" \
    "$log" || fail "the log does not say the existing folder was protected: $(grep -F exists "$log")"
for place in "$target/Vectrace" "$target/Vectrace/QTXCfg" "$target/Vectrace/Own" "$target/Vectrace/Own/notes.txt" \
    "$target/Vectrace/QTXPrograms/Vectrace.exe"; do
    mode=$(stat -c %a "$place")
    [ $((8#$mode & 8#002)) = 0 ] || fail "$place is writable by everyone: mode $mode"
done
stat -c '%a %n' "$target/Vectrace" "$target/Vectrace/Own/notes.txt"

echo "$failures failure(s)"
[ "$failures" = 0 ]
