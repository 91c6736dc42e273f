#!/usr/bin/env bash
# The main software installed end to end: the distribution's VtSetup.exe driven through the UI driver
# under Wine, the result checked on the prefix's disk from Linux. Each case works in its own folder
# under C:\ and removes it afterwards.
# Usage: e2e_install_test.sh UIDRIVER_EXE HOLD_FILE_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
hold_file=$2
scenarios=$here/e2e_install
source "$here/e2e_common.sh"
work=$(mktemp -d)
cleanup() {
    [ -n "$helper" ] && kill "$helper" 2>/dev/null
    remove_made
}
trap cleanup EXIT

# run SCENARIO LANGUAGE TARGET MESSAGE: the setup run to its message box.
run() {
    local scenario=$1
    echo "--- $case_name: language $2, target '$3', expecting '$4'"
    E2E_LANGUAGE=$2 E2E_PATH_CAPTION=$(caption_for "$2") E2E_TARGET=$3 E2E_MESSAGE=$4 \
        timeout -k 5 120 "$runner" "$uidriver" "$scenarios/$scenario.scn" || fail "scenario $scenario"
}

# The tree the sample payload installs: the payload without the driver and plug-in folders (in any
# letter case), with the distribution's loose folders over it; SoftCfg.ini is checked apart.
expected=$work/expected
cp -R "$payload" "$expected"
find "$expected" -mindepth 1 -maxdepth 1 -type d \
    \( -iname MxDriver -o -iname QTXCad -o -iname QTXCorel -o -iname QtxAi \) -exec rm -rf {} +
for loose in QTXCfg QTXDoc QTXLanguage QTXRes; do
    mkdir -p "$expected/$loose"
    cp -R "$dist/$loose/." "$expected/$loose/"
done

check_installed() {  # install folder (Linux), language position
    local installed=$1 position=$2
    diff -r -x SoftCfg.ini -x Backup "$expected" "$installed" || fail "installed tree differs from the payload"
    local soft
    soft=$(tr -d '\r' <"$installed/QTXCfg/SoftCfg.ini")
    grep -qx "Language=$((position + 1))" <<<"$soft" || fail "SoftCfg.ini language: $soft"
    grep -qx "\[BaseCfg\]" <<<"$soft" || fail "SoftCfg.ini has no [BaseCfg]: $soft"
    for line in "[Machine]" "Model=QTX-6040" "WorkArea=600,400" "Origin=TopRight"; do
        grep -qxF "$line" <<<"$soft" || fail "SoftCfg.ini lost '$line' of the shipped one"
    done
}

check_shortcuts() {  # install folder (Windows)
    local folder=$1 info
    local program="${folder}QTXPrograms\\Vectrace.exe" icon="${folder}QTXRes\\title.ico"
    for link in "$desktop/Vectrace.lnk" "$menu/Vectrace.lnk"; do
        info=$(lnkinfo "$link" 2>&1) || { fail "no shortcut $link"; continue; }
        grep -qF "Local path			: $program" <<<"$info" || fail "$link target: $info"
        grep -qF "Description			: $program" <<<"$info" || fail "$link description"
        grep -qF "Icon location			: $icon" <<<"$info" || fail "$link icon"
    done
    info=$(lnkinfo "$menu/Uninstall.lnk" 2>&1) || fail "no Uninstall.lnk"
    grep -qF "Local path			: ${folder}QTXPrograms\\Uninstall.exe" <<<"$info" || fail "Uninstall.lnk target"
    grep -qF "Description			: $program" <<<"$info" || fail "Uninstall.lnk description"
    grep -q "Icon location" <<<"$info" && fail "Uninstall.lnk has an icon"
    lnkinfo "$desktop/Vectrace.lnk" | grep -E "Local path|Description|Icon location"
}

# English into a target with a trailing backslash; Chinese into one without, then a second run over it
# in the third language.
case_name=english
case_folder english
rm -f "$desktop/Vectrace.lnk" "$menu"/*.lnk
run main_software 1 "$(windows_path "$folder")\\" "Install OK!"
check_installed "$folder/Vectrace" 1
check_shortcuts "$(windows_path "$folder")\\Vectrace\\"

case_name=chinese
case_folder chinese
run main_software 0 "$(windows_path "$folder")" "安装成功!"
check_installed "$folder/Vectrace" 0
check_shortcuts "$(windows_path "$folder")\\Vectrace\\"
# The user calibrated the laser since: the second run puts the shipped settings back and keeps the
# user's, and the first run's "SoftCfg.ini", in a dated folder under "QTXCfg\Backup\".
case_name=second-run
printf 'MaxPower=95\r\n' >>"$folder/Vectrace/QTXCfg/Laser.ini"
cp "$folder/Vectrace/QTXCfg/Laser.ini" "$work/calibrated.ini"
cp "$folder/Vectrace/QTXCfg/SoftCfg.ini" "$work/first-soft.ini"
run main_software 2 "$(windows_path "$folder")" "Install OK!"
check_installed "$folder/Vectrace" 2
backups=("$folder"/Vectrace/QTXCfg/Backup/*)
if [ "${#backups[@]}" = 1 ] && [ -d "${backups[0]}" ]; then
    echo "--- kept in $(basename "${backups[0]}")"
    [[ "$(basename "${backups[0]}")" =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}-[0-9]{2}-[0-9]{2}$ ]] ||
        fail "backup folder name: $(basename "${backups[0]}")"
    cmp -s "$work/calibrated.ini" "${backups[0]}/Laser.ini" || fail "the calibrated Laser.ini was not kept"
    cmp -s "$work/first-soft.ini" "${backups[0]}/SoftCfg.ini" || fail "the first run's SoftCfg.ini was not kept"
    cmp -s "$dist/QTXCfg/Laser.ini" "$folder/Vectrace/QTXCfg/Laser.ini" || fail "Laser.ini is not the shipped one"
else
    fail "QTXCfg/Backup holds: $(ls "$folder/Vectrace/QTXCfg/Backup" 2>&1)"
fi

# A read-only file in a plug-in folder that the install empties: it stays, with its folder; the
# payload's files beside it go.
case_name=read-only-in-plugin-folder
case_folder readonly
mkdir -p "$folder/Vectrace/QTXCorel"
echo kept >"$folder/Vectrace/QTXCorel/Kept.txt"
echo gone >"$folder/Vectrace/QTXCorel/Gone.txt"
chmod a-w "$folder/Vectrace/QTXCorel/Kept.txt"
run main_software 1 "$(windows_path "$folder")" "Install OK!"
[ "$(ls "$folder/Vectrace/QTXCorel")" = Kept.txt ] || fail "QTXCorel holds: $(ls "$folder/Vectrace/QTXCorel" 2>&1)"
[ -e "$folder/Vectrace/QTXCad" ] && fail "QTXCad stayed"
chmod -R u+w "$folder"

# An upgrade while Vectrace runs. The first version is installed and every file of it marked, so a
# byte the second one wrote would show. With Vectrace.exe held open, the box names it and offers Retry;
# while it stands the first version is unchanged. Cancel leaves it so; Retry once the program is closed
# installs the second version whole.
case_name=held-program
case_folder held
run main_software 1 "$(windows_path "$folder")" "Install OK!"
while IFS= read -r -d '' file; do
    printf 'first version of %s' "${file#"$folder"/}" >"$file"
done < <(find "$folder/Vectrace" -type f -print0)
# The tree and the shortcuts as they are, byte for byte.
fingerprint() { (cd "$folder" && find . -type f ! -path '*/Backup/*' -exec md5sum {} + | sort; md5sum "$desktop/Vectrace.lnk" "$menu"/*.lnk); }
fingerprint >"$work/first.sum"
held_exe="$(windows_path "$folder")\\Vectrace\\QTXPrograms\\Vectrace.exe"
shown=e2e-in-use-$arch.shown
go=e2e-in-use-$arch.go
# in_use SCENARIO LANGUAGE LEAD-IN LAST [RELEASE [WHILE_STANDING]]: the setup run to the box, the disk
# checked while it stands (and WHILE_STANDING run then), the program closed first when RELEASE is given,
# then the box answered. $first_switches go to the setup's command line.
first_switches=
in_use() {
    local scenario=$1 language=$2 message=$3$'\r\n'$held_exe last=$4 release_first=${5:-} while_standing=${6:-}
    echo "--- $case_name: $scenario, language $language"
    rm -f "$dist/$shown" "$dist/$go"
    E2E_LANGUAGE=$language E2E_PATH_CAPTION=$(caption_for "$language") E2E_MAIN_CAPTION=$(main_caption_for "$language") \
        E2E_TARGET="$(windows_path "$folder")" \
        E2E_MESSAGE=$message E2E_LAST=$last E2E_SHOWN=$shown E2E_GO=$go E2E_SWITCHES=$first_switches \
        timeout -k 5 150 "$runner" "$uidriver" "$scenarios/$scenario.scn" &
    local scenario_pid=$!
    for _ in $(seq 600); do [ -f "$dist/$shown" ] && break; sleep 0.1; done
    [ -f "$dist/$shown" ] || fail "the box naming the file in use never showed"
    fingerprint | cmp -s - "$work/first.sum" || fail "the first version changed while the box stands"
    [ -n "$while_standing" ] && "$while_standing"
    if [ -n "$release_first" ]; then
        release
        sleep 1
    fi
    touch "$dist/$go"
    wait "$scenario_pid" || fail "scenario $scenario"
    rm -f "$dist/$shown" "$dist/$go"
}
if hold "$held_exe"; then
    in_use main_software_in_use_cancelled 0 "以下文件正在使用,请关闭相关程序后点击“重试”:" ""
    fingerprint | cmp -s - "$work/first.sum" || fail "the first version changed after Cancel"
    # A second setup while the first stands at the box (a double double-click, a deployment tool's retry):
    # it says so and ends, touching nothing of the first one's: not its folder, not its log.
    first_log=$work/first.log
    first_switches="/LOG=Z:${first_log//\//\\}"
    second_setup() {
        echo "--- $case_name: a second setup in the window"
        E2E_SWITCHES=/LANG=1 E2E_MESSAGE="安装程序已在运行。" \
            timeout -k 5 90 "$runner" "$uidriver" "$scenarios/second_setup.scn" || fail "second setup in the window"
        E2E_SWITCHES=/LANG=3 E2E_MESSAGE="The setup is already running." \
            timeout -k 5 90 "$runner" "$uidriver" "$scenarios/second_setup.scn" || fail "second setup in the window"
        # Linux keeps the low 8 bits of an exit status: Windows' 1618 reads 82 here. The UI driver above
        # and the log's line see all of it.
        echo "--- $case_name: a second setup unattended"
        local code=0 second_log=$work/second.log
        timeout -k 5 90 "$runner" "$dist/VtSetup.exe" /VERYSILENT /LANG=3 "/DIR=$(windows_path "$folder")" \
            "/LOG=Z:${second_log//\//\\}" || code=$?
        [ "$code" = $((1618 % 256)) ] || fail "second setup: exit code $code, expected 1618"
        grep -qF "Another setup is running: this one ends and changes nothing" "$second_log" ||
            fail "the second setup's log does not say so: $(tr -d '\r' <"$second_log" 2>&1 | tail -n 3)"
        grep -qF "Exit code 1618" "$second_log" || fail "the second setup's log has no exit code"
        cp "$first_log" "$work/first-log-before"
        code=0
        timeout -k 5 90 "$runner" "$dist/VtSetup.exe" /VERYSILENT /LANG=3 "/DIR=$(windows_path "$folder")" \
            "/LOG=Z:${first_log//\//\\}" || code=$?
        [ "$code" = $((1618 % 256)) ] || fail "second setup onto the first one's log: exit code $code, expected 1618"
        cmp -s "$first_log" "$work/first-log-before" || fail "the second setup wrote the first one's log"
        fingerprint | cmp -s - "$work/first.sum" || fail "the second setup changed the installation"
    }
    in_use main_software_in_use_retried 2 "These files are in use. Close the program that uses them, then click Retry:" \
        "Install OK!" release second_setup
    first_switches=
    check_installed "$folder/Vectrace" 2
    check_shortcuts "$(windows_path "$folder")\\Vectrace\\"
    find "$folder" -name '~vtsetup*' | grep -q . && fail "temporary files stayed: $(find "$folder" -name '~vtsetup*')"
    grep -qF "Every file in place in $(windows_path "$folder")" "$first_log" ||
        fail "the first setup's log lacks its end: $(tr -d '\r' <"$first_log" | tail -n 3)"
    grep -qF "Another setup" "$first_log" && fail "the first setup's log tells of the second"
fi
release

# A new target two levels deep: every missing level is made.
case_name=missing-parent
case_folder orphan
run main_software 1 "$(windows_path "$folder")\\missing\\deeper" "Install OK!"
check_installed "$folder/missing/deeper/Vectrace" 1

# A folder named after the city, typed under the Chinese code page: 東 is 96 7C there, a second byte that
# is "|". The setup takes it as the name it is, in the window as on the command line.
case_name=dongguan
folder=$drive_c/東莞工厂
rm -rf "$folder"
made+=("$folder")
LANG=zh_CN.UTF-8 run main_software 0 'C:\東莞工厂' "安装成功!"
check_installed "$folder/Vectrace" 0
# Read whole before the search: grep -q would stop lnkinfo halfway, a failure under pipefail.
info=$(lnkinfo -c windows-936 "$desktop/Vectrace.lnk" 2>&1)
grep -qF 'Local path			: C:\東莞工厂\Vectrace\QTXPrograms\Vectrace.exe' <<<"$info" ||
    fail "the desktop shortcut does not lead into C:\東莞工厂: $info"

# Targets that lean on the setup's current folder (for an elevated setup often System32; here the
# distribution's folder, where the UI driver starts it) or on the current drive (Z:, Linux's root): a
# path error, and nothing where the setup would have taken them to be.
for target in 'Vectrace' 'D:x' '\Vectrace'; do
    case_name="relative '$target'"
    run main_software 1 "$target" "The path is error!"
    for place in "$dist/Vectrace" /Vectrace "$prefix/dosdevices/d:/x"; do
        [ -e "$place" ] && fail "written: $place"
    done
done

# A drive too small (the small drive S:, when mounted): the space message names the folder and the
# megabytes missing, before anything is written.
case_name=full-disk
small=$prefix/dosdevices/s:
if [ -d "$small/" ] && mountpoint -q "$(readlink -f "$small")"; then
    rm -rf "$small/vt-e2e-full"
    mkdir -p "$small/vt-e2e-full"
    made+=("$(readlink -f "$small")/vt-e2e-full")
    run main_software_message_start 1 'S:\vt-e2e-full' $'There is not enough free space on the drive to install into:\r\nS:\\vt-e2e-full\\Vectrace\r\nAnother '
    [ -z "$(ls -A "$small/vt-e2e-full")" ] || fail "written on a drive too small: $(ls -A "$small/vt-e2e-full")"
else
    echo "--- full-disk: no small drive S: in the prefix; case skipped"
fi

echo "$failures failure(s)"
[ "$failures" = 0 ]
