#!/usr/bin/env bash
# The plug-ins installed end to end: host program layouts made in the prefix from Linux, registry keys
# written with Wine's reg, the distribution's VtSetup.exe driven through the UI driver, the result
# checked on disk. Each case works in its own folder under C:\ and removes it and its keys afterwards.
# Usage: e2e_plugins_test.sh UIDRIVER_EXE HOLD_FILE_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
hold_file=$2
scenarios=$here/e2e_install
source "$here/e2e_common.sh"
if [ "$own_view" = 32 ]; then other_view=64; else other_view=32; fi
keys=()
work=$(mktemp -d)
cleanup() {
    [ -n "$helper" ] && kill "$helper" 2>/dev/null
    rm -rf "$work"
    for key in "${keys[@]}"; do
        "$runner" reg delete "$key" /f /reg:32 >/dev/null 2>&1
        [ "$arch" = win64 ] && "$runner" reg delete "$key" /f /reg:64 >/dev/null 2>&1
    done
    for folder in "${made[@]}"; do rm -rf "$folder"; done
}
trap cleanup EXIT

# reg_add KEY VALUE DATA [VIEW]: a string value under HKEY_LOCAL_MACHINE, in the setup's view unless told.
reg_add() {
    keys+=("$1")
    "$runner" reg add "$1" /v "$2" /t REG_SZ /d "$3" /f "/reg:${4:-$own_view}" >/dev/null || fail "reg add $1"
}
reg_delete() {
    "$runner" reg delete "$1" /f /reg:32 >/dev/null 2>&1
    [ "$arch" = win64 ] && "$runner" reg delete "$1" /f /reg:64 >/dev/null 2>&1
    return 0
}

# run SCENARIO MESSAGE [NAME=VALUE...]: the setup run to its message box.
run() {
    local scenario=$1 message=$2
    shift 2
    echo "--- $case_name: $scenario $*, expecting '$message'"
    env E2E_MESSAGE="$message" E2E_TARGET=C:\\ E2E_LANGUAGE=1 E2E_PATH_CAPTION="Select install path" "$@" \
        timeout -k 5 120 "$runner" "$uidriver" "$scenarios/$scenario.scn" || fail "scenario $scenario"
}

corel_suite11='HKLM\SOFTWARE\Corel\Setup\Corel Graphics Suite 11'
corel_sa11='HKLM\SOFTWARE\Corel\Setup\CorelDRAW SA 11'
corel_suite17='HKLM\SOFTWARE\Corel\Setup\CorelDRAW Graphics Suite 17'
autocad='HKLM\SOFTWARE\Autodesk\AutoCAD'

# CorelDRAW 11 (its "Draw" folder in place, as CorelDRAW lays it out) found through its second key
# only, whose "Destination" ends in "\".
case_name=coreldraw-second-key
reg_delete "$corel_suite11"
case_folder corel11
mkdir -p "$folder/Programs" "$folder/Draw"
reg_add "$corel_sa11" Destination "$(windows_path "$folder")\\"
run coreldraw "Install OK!" E2E_AUTO=1 E2E_VERSION=0
same_file "$payload/QTXCorel/QTXCorel11.gms" "$folder/Draw/GMS/QTXCorel.gms"
same_file "$payload/QTXPrograms/Vectrace.exe" "$folder/Programs/QTXPrograms/Vectrace.exe"
absent "$folder/Programs/QTXCorel"
absent "$folder/Programs/QTXCad"
absent "$folder/Programs/MxDriver"
reg_delete "$corel_sa11"

# X7/X8 64-bit by hand, with and without a trailing backslash; then the 32-bit version over the
# same folder leaves only "QTXCorel.gms" of ours in the module folder.
case_name=coreldraw-manual
case_folder corel17
mkdir -p "$folder/Programs64" "$folder/Programs"
run coreldraw "Install OK!" E2E_AUTO=0 E2E_VERSION=8 "E2E_TARGET=$(windows_path "$folder")"
same_file "$payload/QTXCorel/QTXCorelEx64.gms" "$folder/Draw/GMS/QTXCorel.gms"
same_file "$payload/QTXPrograms/Vectrace.exe" "$folder/Programs64/QTXPrograms/Vectrace.exe"
run coreldraw "Install OK!" E2E_AUTO=0 E2E_VERSION=7 "E2E_TARGET=$(windows_path "$folder")\\"
same_file "$payload/QTXCorel/QTXCorelEx.gms" "$folder/Draw/GMS/QTXCorel.gms"
[ "$(ls "$folder/Draw/GMS")" = QTXCorel.gms ] || fail "module folder holds: $(ls "$folder/Draw/GMS")"

# The wrong bitness: a 64-bit version over a folder with only "Programs".
case_name=coreldraw-wrong-bitness
case_folder corel16
mkdir -p "$folder/Programs"
run coreldraw "The path is error!" E2E_AUTO=0 E2E_VERSION=6 "E2E_TARGET=$(windows_path "$folder")"
[ "$(ls "$folder")" = Programs ] || fail "written after a path error: $(ls "$folder")"
[ -z "$(ls "$folder/Programs")" ] || fail "written into Programs after a path error"

# On 64-bit Windows the setup reads both registry views: a CorelDRAW registered in the other view only
# (for the 32-bit setup, a 64-bit CorelDRAW in the 64-bit view) is found.
if [ "$arch" = win64 ]; then
    case_name=coreldraw-$other_view-bit-view
    reg_delete "$corel_suite17"
    case_folder corel-view
    mkdir -p "$folder/Programs64" "$folder/Draw"
    reg_add "$corel_suite17" Destination "$(windows_path "$folder")" "$other_view"
    run coreldraw "Install OK!" E2E_AUTO=1 E2E_VERSION=8
    same_file "$payload/QTXCorel/QTXCorelEx64.gms" "$folder/Draw/GMS/QTXCorel.gms"
    same_file "$payload/QTXPrograms/Vectrace.exe" "$folder/Programs64/QTXPrograms/Vectrace.exe"
    reg_delete "$corel_suite17"
fi

# A 32-bit CorelDRAW X7 left its key behind: it has no "Programs64", so the 64-bit version is not found
# there, and nothing is written.
case_name=coreldraw-stale-key
reg_delete "$corel_suite17"
case_folder corel-stale
mkdir -p "$folder/Programs" "$folder/Draw"
reg_add "$corel_suite17" Destination "$(windows_path "$folder")"
run coreldraw "Can't find Coreldraw!" E2E_AUTO=1 E2E_VERSION=8
[ "$(ls "$folder" | tr '\n' ' ')" = "Draw Programs " ] || fail "written for a stale key: $(ls -R "$folder")"
[ -z "$(ls "$folder/Draw")" ] || fail "written into Draw for a stale key"
reg_delete "$corel_suite17"

# AutoCAD found twice in the registry, Chinese: both folders get the plug-in and the Chinese start-up
# script; then English over the same two gives the English one.
case_name=autocad-two
reg_delete "$autocad"
case_folder acad-r19
first=$folder
case_folder acad-r20
second=$folder
mkdir -p "$first/Fonts" "$second/Fonts"
printf 'AutoCAD' >"$first/acad.exe"
printf 'AutoCAD' >"$second/acad.exe"
reg_add "$autocad\\R19.1\\ACAD-D001:409" AcadLocation "$(windows_path "$first")"
reg_add "$autocad\\R20.0\\ACAD-E001:804" AcadLocation "$(windows_path "$second")"
run autocad "安装成功!" E2E_AUTO=1 E2E_LANGUAGE=0 "E2E_PATH_CAPTION=选择安装目录"
for folder in "$first" "$second"; do
    same_file "$payload/QTXCad/QTXSrtCad.dll" "$folder/QTXSrtCad.dll"
    same_file "$payload/QTXCad/acad.dvb" "$folder/acad.dvb"
    same_file "$payload/QTXCad/acad_CH.lsp" "$folder/acad.lsp"
    same_file "$payload/QTXFonts/Hztxt.shx" "$folder/Fonts/Hztxt.shx"
    absent "$folder/QTXCad"
done
run autocad "Install OK!" E2E_AUTO=1 E2E_LANGUAGE=1
for folder in "$first" "$second"; do
    same_file "$payload/QTXCad/acad_EN.lsp" "$folder/acad.lsp"
    # The script it replaced is kept beside it, in a dated folder.
    kept=("$folder"/Backup/*/acad.lsp)
    [ "${#kept[@]}" = 1 ] || fail "kept: ${kept[*]}"
    same_file "$payload/QTXCad/acad_CH.lsp" "${kept[0]}"
    absent "$folder/Fonts/Backup"
done

# The second installation's start-up module held by a running AutoCAD: every AutoCAD is checked before
# the first is written, so the box names the file, and after it is dismissed neither folder is written.
case_name=autocad-second-held
rm -f "$first/acad.lsp" "$second/acad.lsp"
hold "$(windows_path "$second/QTXSrtCad.dll")"
run autocad $'These files are in use. Close the program that uses them, then click Retry:\r\n'"$(windows_path "$second/QTXSrtCad.dll")" \
    E2E_AUTO=1 E2E_LANGUAGE=1
release
absent "$first/acad.lsp"
absent "$second/acad.lsp"

# An uninstalled AutoCAD left its key: its folder holds no "acad.exe" and is passed over; the AutoCAD
# registered after it (on 64-bit Windows in the other view, as a 64-bit AutoCAD registers for the
# 32-bit setup) gets the plug-in, and the user's own start-up script is kept.
case_name=autocad-stale-then-real
reg_delete "$autocad"
case_folder acad-uninstalled
stale=$folder
case_folder acad-real
real=$folder
mkdir -p "$real/Fonts"
printf 'AutoCAD' >"$real/acad.exe"
printf '(princ "mine")' >"$real/acad.lsp"
reg_add "$autocad\\R18.0\\ACAD-8001:409" AcadLocation "$(windows_path "$stale")"
if [ "$arch" = win64 ]; then
    reg_add "$autocad\\R24.0\\ACAD-4101:409" AcadLocation "$(windows_path "$real")" "$other_view"
else
    reg_add "$autocad\\R24.0\\ACAD-4101:409" AcadLocation "$(windows_path "$real")"
fi
run autocad "Install OK!" E2E_AUTO=1 E2E_LANGUAGE=1
same_file "$payload/QTXCad/acad_EN.lsp" "$real/acad.lsp"
kept=("$real"/Backup/*/acad.lsp)
[ "${#kept[@]}" = 1 ] && [ "$(cat "${kept[0]}")" = '(princ "mine")' ] || fail "the user's acad.lsp was not kept"
[ -z "$(ls "$stale")" ] || fail "written into the uninstalled AutoCAD's folder: $(ls "$stale")"
reg_delete "$autocad"

# Release keys without any "AcadLocation": nothing to install into, no success claimed.
case_name=autocad-no-location
reg_delete "$autocad"
case_folder acad-none
reg_add "$autocad\\R19.1\\ACAD-D001:409" ProductName "AutoCAD 2014"
run autocad "Can't find AutoCAD!" E2E_AUTO=1 E2E_LANGUAGE=1
reg_delete "$autocad"

# By hand into a folder without "acad.exe": a path error and nothing written.
case_name=autocad-manual-no-acad
case_folder acad-manual
run autocad "The path is error!" E2E_AUTO=0 "E2E_TARGET=$(windows_path "$folder")"
[ -z "$(ls "$folder")" ] || fail "written after a path error: $(ls "$folder")"

# Illustrator CC 64-bit: the version's plug-in under the table's name, the older ones of ours gone.
case_name=illustrator-cc64
case_folder ai-cc
plugins="$folder/Support Files/Required/Plug-ins"
mkdir -p "$folder/Support Files/Contents/Windows" "$plugins"
touch "$plugins/QTXPlugin_C6X64.aip" "$plugins/QTXPlugin_CCWin32.aip" "$plugins/Other.aip"
run illustrator "Install OK!" E2E_VERSION=4 "E2E_TARGET=$(windows_path "$folder")"
same_file "$payload/QtxAi/QTXPlugin_CCx64.aip" "$plugins/QTXPlugin_CCX64.aip"
[ "$(ls "$plugins" | tr '\n' ' ')" = "Other.aip QTXPlugin_CCX64.aip " ] || fail "plug-in folder holds: $(ls "$plugins")"
absent "$folder/Support Files/Contents/Windows/QtxAi"
absent "$folder/Support Files/Contents/Windows/QTXCorel"

# Without "Support Files\Required\Plug-ins": a path error and nothing written.
case_name=illustrator-no-plugin-folder
case_folder ai-none
mkdir -p "$folder/Support Files/Contents/Windows"
run illustrator "The path is error!" E2E_VERSION=4 "E2E_TARGET=$(windows_path "$folder")"
[ -z "$(ls "$folder/Support Files/Contents/Windows")" ] || fail "written after a path error"

echo "$failures failure(s)"
[ "$failures" = 0 ]
