#!/usr/bin/env bash
# The setup reads only the file it was started from. While its window is open, the running VtSetup.exe
# is renamed and another setup built by vtpack (the same program image, another payload) is put under
# its name; the install button and the USB driver button then install the setup's own payload, never
# the other file's. A rename from a Windows program fails meanwhile with a sharing violation, as on
# Windows; from Linux it cannot be stopped, which is the case the handle opened at start-up is for.
# Then unattended runs started by a path the system code page cannot write and by one longer than
# MAX_PATH: they install, and read SetupCfg.ini and the folders beside the setup.
# Usage: e2e_own_file_test.sh UIDRIVER_EXE VTPACK STUB_EXE   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1 vtpack=$2 stub=$3
scenarios=$here/e2e_own_file
source "$here/e2e_common.sh"
work=$(mktemp -d)
windows=$drive_c/windows
find "$windows" -type f | sort >"$work/before"
case_prefix=vt-e2e-own
cleanup() {
    for folder in "${made[@]}"; do rm -rf "$folder"; done
    rm -f "$desktop/Vectrace.lnk"
    rm -rf "$menu" "$system/MxDriver" "$system/QTXDriver"
    find "$windows" -type f | sort >"$work/after"
    comm -13 "$work/before" "$work/after" | while IFS= read -r file; do rm -f "$file"; done
    rm -rf "$work"
}
trap cleanup EXIT

# The stranger's setup: the same stub, a payload with the names the installation uses and a file of
# its own in each folder, every file saying whose it is.
stranger=$work/stranger-payload
for file in QTXPrograms/Vectrace.exe QTXPrograms/Stranger.exe MxDriver/UsbDriver.exe QTXDriver/InstallDriver.exe; do
    mkdir -p "$stranger/$(dirname "$file")"
    echo "stranger's $file" >"$stranger/$file"
done
"$vtpack" build "$stranger" --stub "$stub" -o "$work/Stranger.exe" >/dev/null || fail "vtpack build"

# swap_while_open SETUP_DIR: once the window is open, a Windows program's rename is refused, then the
# file is swapped from Linux and the scenario told to go on. Runs beside the scenario.
swap_while_open() {
    local dir=$1
    for _ in $(seq 600); do [ -f "$dir/window-open.flag" ] && break; sleep 0.1; done
    [ -f "$dir/window-open.flag" ] || { fail "the window never opened"; return; }
    local moved
    moved=$("$runner" cmd /c move "$(windows_path "$dir/VtSetup.exe")" "$(windows_path "$dir/Renamed.exe")" 2>&1)
    if [ -e "$dir/Renamed.exe" ] || [ ! -e "$dir/VtSetup.exe" ]; then
        fail "a Windows program renamed the running setup: $moved"
    else
        echo "--- rename from a Windows program: $(tr -d '\r' <<<"$moved" | head -n 1)"
    fi
    mv "$dir/VtSetup.exe" "$dir/Own.exe" && cp "$work/Stranger.exe" "$dir/VtSetup.exe" || fail "the swap from Linux"
    : >"$dir/swapped.flag"
}

# stage NAME: $setup_dir becomes a copy of the distribution in a case folder.
stage() {
    case_folder "$1"
    setup_dir=$folder/dist
    cp -R "$dist" "$setup_dir"
}

no_stranger_in() {  # FOLDER...
    local found
    found=$(grep -rl "stranger's" "$@" 2>/dev/null)
    [ -z "$found" ] || fail "the other file's payload was installed: $found"
}

for language in 0 2; do
    case_name=install-$language
    stage "install-$language"
    target=$folder/target
    mkdir -p "$target"
    echo "--- $case_name"
    swap_while_open "$setup_dir" &
    swapper=$!
    message="Install OK!"
    [ "$language" = 0 ] && message="安装成功!"
    E2E_SETUP_DIR=$setup_dir E2E_LANGUAGE=$language E2E_PATH_CAPTION=$(caption_for "$language") \
        E2E_TARGET=$(windows_path "$target") E2E_MESSAGE=$message \
        timeout -k 5 180 "$runner" "$uidriver" "$scenarios/install_after_swap.scn" || fail "scenario"
    wait "$swapper"
    cmp -s "$work/Stranger.exe" "$setup_dir/VtSetup.exe" || fail "the swap did not happen"
    cmp -s "$payload/QTXPrograms/Vectrace.exe" "$target/Vectrace/QTXPrograms/Vectrace.exe" ||
        fail "Vectrace.exe is not the setup's own"
    diff -r -x MxDriver -x QTXCad -x QTXCorel -x QtxAi -x QTXCfg -x QTXDoc -x QTXLanguage -x QTXRes \
        "$payload" "$target/Vectrace" >/dev/null || fail "the installed tree is not the setup's own payload"
    no_stranger_in "$target"
done

case_name=driver-button
stage driver
mx=$system/MxDriver
rm -rf "$mx" "$system/QTXDriver"
mkdir -p "$mx"
printf 'run-ms=0\r\n' >"$mx/UsbDriver.exe.behave"
echo "--- $case_name"
swap_while_open "$setup_dir" &
swapper=$!
E2E_SETUP_DIR=$setup_dir E2E_LANGUAGE=2 timeout -k 5 180 "$runner" "$uidriver" "$scenarios/driver_after_swap.scn" ||
    fail "scenario"
wait "$swapper"
cmp -s "$work/Stranger.exe" "$setup_dir/VtSetup.exe" || fail "the swap did not happen"
for _ in $(seq 50); do [ -s "$mx/UsbDriver.exe.log" ] && break; sleep 0.1; done
[ -s "$mx/UsbDriver.exe.log" ] || fail "the setup's own serial driver installer never ran"
cmp -s "$payload/QTXDriver/InstallDriver.exe" "$system/QTXDriver/InstallDriver.exe" ||
    fail "QTXDriver\\InstallDriver.exe is not the setup's own"
no_stranger_in "$system"

# Started from a folder that the system code page cannot write (Ł under code page 936), or by a path
# longer than MAX_PATH: the setup still reads its own file, and SetupCfg.ini and the loose folders
# through the folder's short name. The copy's SetupCfg.ini names another product and English.
long_name=$(printf 'Downloads-of-a-rather-long-folder-name-%s' {1..4} | cut -c1-200)
for how in code-page long-path; do
    case_name=$how
    # The 32-bit Wine 10 that runs the 32-bit prefix under emulation (where no 32-bit code runs) starts
    # no program by a path longer than MAX_PATH ("ShellExecuteEx failed: File not found"), before the
    # setup's first instruction; its 64-bit Wine 10 and Wine 8 do.
    if [ "$how" = long-path ] && [ "$arch" = win32 ] && ! "$scripts/wine-loader.sh" >/dev/null; then
        echo "--- $case_name: not run: the emulated 32-bit Wine starts no program by a path longer than MAX_PATH"
        continue
    fi
    case_folder "$how"
    if [ "$how" = code-page ]; then
        setup_dir=$folder/Łukasz/Downloads
        locale=zh_CN.UTF-8
    else
        setup_dir=$folder/$long_name/$long_name
        locale=C.UTF-8
    fi
    mkdir -p "$setup_dir"
    cp -R "$dist/." "$setup_dir/"
    printf '[SetupCfg]\r\nSoftVer=Laserwerk\r\nLanguage=3\r\n' >"$setup_dir/SetupCfg.ini"
    target=$folder/target
    mkdir -p "$target"
    log=$work/$how.log
    echo "--- $case_name: $(windows_path "$setup_dir") ($(windows_path "$setup_dir" | wc -c) characters)"
    code=0
    LANG=$locale timeout -k 5 120 "$runner" "$(windows_path "$setup_dir")\\VtSetup.exe" /VERYSILENT \
        "/DIR=$(windows_path "$target")" "/LOG=Z:${log//\//\\}" || code=$?
    [ "$code" = 0 ] || fail "exit code $code: $(tr -d '\r' <"$log" 2>&1 | tail -n 3)"
    grep -qF "Language: 3 (English)" "$log" || fail "SetupCfg.ini's language was not read"
    grep -qF "Installing Laserwerk into" "$log" || fail "SetupCfg.ini's product name was not read"
    cmp -s "$payload/QTXPrograms/Vectrace.exe" "$target/Vectrace/QTXPrograms/Vectrace.exe" || fail "no Vectrace.exe"
    diff -r "$dist/QTXLanguage" "$target/Vectrace/QTXLanguage" >/dev/null || fail "QTXLanguage was not copied"
    cmp -s "$dist/QTXCfg/Laser.ini" "$target/Vectrace/QTXCfg/Laser.ini" || fail "QTXCfg was not copied"
    # The new install folder got Program Files' permissions; Wine keeps them as the Unix mode, where
    # other users lose every right.
    grep -qF "Created $(windows_path "$target")\\Vectrace with the permissions of Program Files" "$log" ||
        fail "the log does not tell the install folder's permissions"
    [ $((0$(stat -c %a "$target/Vectrace") & 7)) = 0 ] || fail "install folder mode $(stat -c %a "$target/Vectrace")"
    rm -f "$desktop/Laserwerk.lnk"
done

echo "$failures failure(s)"
[ "$failures" = 0 ]
