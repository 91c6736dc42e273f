#!/usr/bin/env bash
# The setup run from the command line the way administrators and deployment tools run it: the
# distribution's VtSetup.exe started with switches under Wine (directly, through cmd's "start /wait",
# and through the UI driver where a window or a box is to be seen), its exit code, the installed tree,
# "SoftCfg.ini", the shortcuts and the UTF-8 log checked from Linux. Each case works in its own folder
# under C:\ and removes it, its keys and its shortcuts afterwards.
# Usage: e2e_command_line_test.sh UIDRIVER_EXE HOLD_FILE_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
hold_file=$2
scenarios=$here/e2e_command_line
source "$here/e2e_common.sh"
# Its case folders apart from those of the install and plug-in tests.
case_prefix=vt-e2e-cli
public_desktop=$drive_c/users/Public/Desktop
public_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vectrace"
work=$(mktemp -d)
keys=()
remove_shortcuts() {
    rm -f "$desktop/Vectrace.lnk" "$public_desktop/Vectrace.lnk"
    rm -rf "$menu" "$public_menu"
}
cleanup() {
    [ -n "$helper" ] && kill "$helper" 2>/dev/null
    for key in "${keys[@]}"; do "$runner" reg delete "$key" /f "/reg:$own_view" >/dev/null 2>&1; done
    for folder in "${made[@]}"; do rm -rf "$folder"; done
    remove_shortcuts
    rm -rf "$work"
}
trap cleanup EXIT

# setup EXPECTED_EXIT SWITCH...: the setup started directly with these arguments, waited for.
setup() {
    local expected=$1 code=0
    shift
    echo "--- $case_name: VtSetup.exe $*"
    timeout -k 5 120 "$runner" "$dist/VtSetup.exe" "$@" || code=$?
    [ "$code" = "$expected" ] || fail "exit code $code, expected $expected"
}

# scenario NAME [NAME=VALUE...]: a UI driver scenario of this test.
scenario() {
    local name=$1
    shift
    echo "--- $case_name: scenario $name $*"
    env "$@" timeout -k 5 120 "$runner" "$uidriver" "$scenarios/$name.scn" || fail "scenario $name"
}

# log_has FILE TEXT...: each text is in the log (UTF-8, as written).
log_has() {
    local log=$1
    shift
    [ -f "$log" ] || { fail "no log $log"; return; }
    for text in "$@"; do
        grep -qF -- "$text" "$log" || fail "the log lacks '$text':"$'\n'"$(cat "$log")"
    done
}
# The log starts with the UTF-8 byte-order mark.
log_is_utf8() {
    [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "$1 does not start with a UTF-8 mark"
    iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1 || fail "$1 is not UTF-8"
}

empty_folder() { [ -z "$(ls -A "$1")" ] || fail "written into $1: $(ls -A "$1")"; }

# The tree the sample payload installs for the main software (as e2e_install_test.sh builds it).
expected=$work/expected
cp -R "$payload" "$expected"
find "$expected" -mindepth 1 -maxdepth 1 -type d \
    \( -iname MxDriver -o -iname QTXCad -o -iname QTXCorel -o -iname QtxAi \) -exec rm -rf {} +
for loose in QTXCfg QTXDoc QTXLanguage QTXRes; do
    mkdir -p "$expected/$loose"
    cp -R "$dist/$loose/." "$expected/$loose/"
done

check_installed() {  # install folder (Linux), language index
    diff -r -x SoftCfg.ini "$expected" "$1" >/dev/null || fail "installed tree differs from the payload"
    tr -d '\r' <"$1/QTXCfg/SoftCfg.ini" | grep -qx "Language=$2" || fail "SoftCfg.ini: $(cat "$1/QTXCfg/SoftCfg.ini")"
}

check_shortcuts() {  # desktop folder, menu folder, install folder (Windows), lnkinfo code page
    local program="${3}QTXPrograms\\Vectrace.exe" info
    for link in "$1/Vectrace.lnk" "$2/Vectrace.lnk" "$2/Uninstall.lnk"; do
        info=$(lnkinfo -c "$4" "$link" 2>&1) || { fail "no shortcut $link"; continue; }
        grep -qF "Description			: $program" <<<"$info" || fail "$link: $info"
    done
}

# app, very silent, into a folder with a space given as /DIR="..." (the UI driver starts the setup with
# the command line exactly as written): exit code 0, the tree, SoftCfg.ini in the language of /LANG,
# the current user's shortcuts, and a UTF-8 log with the command line, the steps and the closing word.
case_name=app-space
case_folder space
remove_shortcuts
mkdir -p "$folder/My Folder"
target="$(windows_path "$folder")\\My Folder"
log="$folder/setup log.txt"
scenario very_silent_quoted "E2E_TARGET=$target" "E2E_LOG=$(windows_path "$log")"
check_installed "$folder/My Folder/Vectrace" 3
check_shortcuts "$desktop" "$menu" "$target\\Vectrace\\" windows-1252
absent "$public_desktop/Vectrace.lnk"
log_is_utf8 "$log"
head -n 1 "$log" | grep -qF "Vectrace Setup $VT_VERSION started: " || fail "the log's first line names no version: $(head -n 1 "$log")"
log_has "$log" "Command line: " "/DIR=\"$target\"" "Installing Vectrace into $target\\Vectrace\\" \
    "Language: 3 (English)" "Done: Install OK!" "Exit code 0"

# The same through cmd's "start /wait", as the README shows it, with /ALLUSERS: the exit code comes
# through cmd, and the shortcuts go to the desktop and start menu of all users, none to the current
# user's.
case_name=all-users
remove_shortcuts
printf '@echo off\r\nstart "" /wait "%s" /VERYSILENT /DIR="%s" /LANG=3 /ALLUSERS "/LOG=%s"\r\nexit /b %%errorlevel%%\r\n' \
    "Z:${dist//\//\\}\\VtSetup.exe" "$target" "$(windows_path "$log")" >"$folder/install.cmd"
echo "--- $case_name: $(sed -n 2p "$folder/install.cmd")"
code=0
timeout -k 5 120 "$runner" cmd /c "$(windows_path "$folder")\\install.cmd" || code=$?
[ "$code" = 0 ] || fail "exit code $code through cmd"
check_shortcuts "$public_desktop" "$public_menu" "$target\\Vectrace\\" windows-1252
absent "$desktop/Vectrace.lnk"
absent "$menu"
log_has "$log" "/ALLUSERS" "Shortcuts: desktop C:\\users\\Public\\Desktop\\" "Exit code 0"
remove_shortcuts
# A failure comes through cmd as exit code 2.
printf '@echo off\r\nstart "" /wait "%s" /VERYSILENT /TYPE=coreldraw /DIR="%s"\r\nexit /b %%errorlevel%%\r\n' \
    "Z:${dist//\//\\}\\VtSetup.exe" "$target" >"$folder/install.cmd"
code=0
timeout -k 5 120 "$runner" cmd /c "$(windows_path "$folder")\\install.cmd" || code=$?
[ "$code" = 2 ] || fail "exit code $code through cmd, expected 2"

# app into a folder with a Chinese name under the Chinese code page, the log named in Chinese too: the
# values of the switches are taken in the system code page, the log holds them in UTF-8.
case_name=app-chinese
case_folder chinese
mkdir -p "$folder/安装目录"
target="$(windows_path "$folder")\\安装目录"
log="$folder/安装日志.txt"
LANG=zh_CN.UTF-8 setup 0 /VERYSILENT "/DIR=$target" /LANG=1 "/LOG=$(windows_path "$log")"
check_installed "$folder/安装目录/Vectrace" 1
check_shortcuts "$desktop" "$menu" "$target\\Vectrace\\" windows-936
log_is_utf8 "$log"
log_has "$log" "Installing Vectrace into $target\\Vectrace\\" "Language: 1 (简体中文)" "Done: 安装成功!" \
    "Exit code 0"
remove_shortcuts

# The same for a folder named after the city: 東 is 96 7C in code page 936, its second byte "|", and the
# log's 億 is 83 7C. Neither is a character no path may hold.
case_name=dongguan
case_folder dongguan
rm -rf "$drive_c/東莞工厂"
made+=("$drive_c/東莞工厂")
log="$folder/億達.log"
LANG=zh_CN.UTF-8 setup 0 /VERYSILENT '/DIR=C:\東莞工厂' /LANG=1 "/LOG=$(windows_path "$log")"
check_installed "$drive_c/東莞工厂/Vectrace" 1
check_shortcuts "$desktop" "$menu" 'C:\東莞工厂\Vectrace\' windows-936
log_has "$log" 'Installing Vectrace into C:\東莞工厂\Vectrace\' "Exit code 0"
remove_shortcuts

# An upgrade while Vectrace runs, unattended: exit code 2, no box (a box would hold the run until the
# time-out), the file in use with the system's reason and the message of the language's column in the
# log, and the first version unchanged byte for byte. /SILENT is watched by the UI driver for boxes;
# /VERYSILENT shows none at all.
case_name=held-program
case_folder held
setup 0 /VERYSILENT /LANG=3 "/DIR=$(windows_path "$folder")"
while IFS= read -r -d '' file; do
    printf 'first version of %s' "${file#"$folder"/}" >"$file"
done < <(find "$folder/Vectrace" -type f -print0)
first=$(cd "$folder/Vectrace" && find . -type f -exec md5sum {} + | sort)
held_exe="$(windows_path "$folder")\\Vectrace\\QTXPrograms\\Vectrace.exe"
if hold "$held_exe"; then
    log=$folder/held.log
    scenario silent_no_box E2E_LANG=1 "E2E_DIR=$(windows_path "$folder")" "E2E_LOG=$(windows_path "$log")" E2E_EXIT=2
    log_has "$log" "In use: $held_exe: " "Failed: 以下文件正在使用,请关闭相关程序后点击“重试”:" "$held_exe" \
        "Nothing was written" "Exit code 2"
    setup 2 /VERYSILENT /LANG=3 "/DIR=$(windows_path "$folder")" "/LOG=$(windows_path "$log")"
    log_has "$log" "In use: $held_exe: " \
        "Failed: These files are in use. Close the program that uses them, then click Retry:" "Exit code 2"
    grep -q "Done:" "$log" && fail "success told after a failure"
    [ "$(cd "$folder/Vectrace" && find . -type f -exec md5sum {} + | sort)" = "$first" ] || fail "the first version changed"
fi
release
remove_shortcuts

# A wrong command line: exit code 1, the reason in the log, nothing written into the named folder and
# no shortcut; without /VERYSILENT the usage box says it.
case_name=wrong-command-line
case_folder wrong
mkdir -p "$folder/target"
log=$folder/wrong.log
setup 1 /VERYSILENT "/DIR=$(windows_path "$folder")\\target" /QUIET "/LOG=$(windows_path "$log")"
log_has "$log" "Wrong command line: Unknown switch \"/QUIET\"" "Exit code 1"
setup 1 /VERYSILENT /TYPE=plugin "/DIR=$(windows_path "$folder")\\target" "/LOG=$(windows_path "$log")"
log_has "$log" "Wrong command line: /TYPE=plugin is none of app, coreldraw, autocad, illustrator, usbdriver"
setup 1 /VERYSILENT /TYPE=illustrator "/LOG=$(windows_path "$log")"
log_has "$log" "Wrong command line: /TYPE=illustrator needs /DIR"
# A character the system code page (here 1252) lacks is refused rather than turned into a look-alike:
# best fit would make the full-width "＼" a real "\", and this folder one above the named one.
LANG=C.UTF-8 setup 1 /VERYSILENT "/DIR=$(windows_path "$folder")\\target＼..\\x" "/LOG=$(windows_path "$log")"
log_has "$log" "holds characters that the system code page" "cannot write"
LANG=C.UTF-8 setup 1 /VERYSILENT "/DIR=$(windows_path "$folder")\\目录" "/LOG=$(windows_path "$log")"
log_has "$log" "holds characters that the system code page" "cannot write"
# A relative log would be written into the current folder (a deployment tool's is the system folder):
# refused, and no log anywhere.
pushd "$folder" >/dev/null
setup 1 /VERYSILENT "/DIR=$(windows_path "$folder")\\target" /LOG=relative.log
popd >/dev/null
find "$drive_c" "$folder" -maxdepth 3 -name relative.log | grep -q . && fail "a relative log was written"
scenario usage_box "E2E_DIR=$(windows_path "$folder")\\target"
empty_folder "$folder/target"
[ "$(ls "$folder")" = "target"$'\n'"wrong.log" ] || fail "written into $folder: $(ls "$folder")"
absent "$desktop/Vectrace.lnk"

# The help box.
case_name=help
scenario help_box
setup 0 /VERYSILENT /?

# CorelDRAW by hand, the version named in any letter case: the 64-bit module into Programs64's host.
case_name=coreldraw-manual
case_folder corel
mkdir -p "$folder/Programs64" "$folder/Programs"
log=$folder/corel.log
setup 0 /VERYSILENT /TYPE=coreldraw "/VERSION=coreldraw x7/x8(64BIT)" "/DIR=$(windows_path "$folder")" \
    "/LOG=$(windows_path "$log")"
same_file "$payload/QTXCorel/QTXCorelEx64.gms" "$folder/Draw/GMS/QTXCorel.gms"
same_file "$payload/QTXPrograms/Vectrace.exe" "$folder/Programs64/QTXPrograms/Vectrace.exe"
empty_folder "$folder/Programs"
log_has "$log" "Installing the CorelDRAW plug-in for CorelDraw X7/X8(64bit)" \
    "CorelDRAW folder: $(windows_path "$folder")" "Done: 安装成功!"

# ... and a version whose program folder is missing there: exit code 2, the path error, nothing written.
case_name=coreldraw-no-program-folder
case_folder corel-missing
mkdir -p "$folder/Programs"
log=$work/corel-missing.log
setup 2 /VERYSILENT /TYPE=coreldraw "/VERSION=CorelDraw X6(64bit)" /LANG=3 "/DIR=$(windows_path "$folder")" \
    "/LOG=Z:${log//\//\\}"
log_has "$log" "Failed: The path is error!" "Exit code 2"
[ "$(ls "$folder")" = Programs ] || fail "written after a path error: $(ls "$folder")"
empty_folder "$folder/Programs"

# AutoCAD found through its registry keys: every registered folder gets the plug-in and the start-up
# script of the language.
case_name=autocad-automatic
autocad='HKLM\SOFTWARE\Autodesk\AutoCAD'
"$runner" reg delete "$autocad" /f "/reg:$own_view" >/dev/null 2>&1
case_folder acad-r19
first=$folder
case_folder acad-r20
second=$folder
for host in "$first" "$second"; do
    mkdir -p "$host/Fonts"
    : >"$host/acad.exe"
done
keys+=("$autocad")
"$runner" reg add "$autocad\\R19.1\\ACAD-D001:409" /v AcadLocation /t REG_SZ /d "$(windows_path "$first")" /f \
    "/reg:$own_view" >/dev/null || fail "reg add"
"$runner" reg add "$autocad\\R20.0\\ACAD-E001:804" /v AcadLocation /t REG_SZ /d "$(windows_path "$second")" /f \
    "/reg:$own_view" >/dev/null || fail "reg add"
setup 0 /VERYSILENT /TYPE=autocad /LANG=3
for host in "$first" "$second"; do
    same_file "$payload/QTXCad/QTXSrtCad.dll" "$host/QTXSrtCad.dll"
    same_file "$payload/QTXCad/acad_EN.lsp" "$host/acad.lsp"
    same_file "$payload/QTXFonts/Hztxt.shx" "$host/Fonts/Hztxt.shx"
    tr -d '\r' <"$host/QTXCfg/SoftCfg.ini" | grep -qx "Language=3" || fail "$host SoftCfg.ini"
done
"$runner" reg delete "$autocad" /f "/reg:$own_view" >/dev/null 2>&1

# Illustrator by version: that version's plug-in in Illustrator's plug-in folder.
case_name=illustrator-version
case_folder ai
plugins="$folder/Support Files/Required/Plug-ins"
mkdir -p "$folder/Support Files/Contents/Windows" "$plugins"
setup 0 /VERYSILENT /TYPE=Illustrator "/VERSION=CC 2017(64bit)" "/DIR=$(windows_path "$folder")"
same_file "$payload/QtxAi/QTXPlugin_CC2017x64.aip" "$plugins/QTXPlugin_CC2017X64.aip"
[ "$(ls "$plugins")" = QTXPlugin_CC2017X64.aip ] || fail "plug-in folder holds: $(ls "$plugins")"

# The window: as always without a switch, with its first choices made by switches without /SILENT.
case_name=window
scenario window_no_switch
log=$work/window.log
scenario window_with_switches "E2E_LOG=Z:${log//\//\\}"
log_has "$log" "Installing the CorelDRAW plug-in for CorelDraw X6(64bit)" "CorelDRAW folder: C:\\Corel Here" \
    "Failed: The path is error!"

echo "$failures failure(s)"
[ "$failures" = 0 ]
