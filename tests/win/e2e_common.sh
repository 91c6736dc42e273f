# Sourced by the end-to-end scripts: the distribution under test, the Wine prefix it runs in, and the
# places there that the scripts check. Without a distribution the script is skipped (exit 77, which
# ctest reports as skipped).
# Sets:
#   scripts       the project's scripts folder; runner, its wine-run.sh
#   arch          the prefix: win32 or win64
#   dist          the distribution's folder, with VtSetup.exe; payload, the small payload beside it
#   prefix, drive_c, user_folder, desktop, and menu: the start-menu folder the setup makes
#   own_view      the setup's bitness, 32 or 64, and so the registry view it reads
#   system        the setup's system folder
#   failures      0; fail MESSAGE counts one and names the case in $case_name, if one is set
# and gives windows_path, case_folder, same_file, absent and caption_for, and hold and release for
# scripts that pass the helper that holds files ($hold_file) and have a $work folder.
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
runner=$scripts/wine-run.sh
arch=${VT_WINE_ARCH:-win32}
dist=${VT_DIST_DIR:?}
payload=$(dirname "$dist")/payload-small
if [ ! -f "$dist/VtSetup.exe" ] || [ ! -d "$payload" ]; then
    echo "no distribution in $dist (make dist with SAMPLE_SIZE=small); skipped"
    exit 77
fi
prefix=$("$scripts/wine-prefix.sh" "$arch")
drive_c=$prefix/drive_c
user_folder=$(find "$drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
desktop=$user_folder/Desktop
menu=$(find "$user_folder" -type d -path "*Start Menu/Programs" | head -n 1)/Vectrace
# The setup users get is a 32-bit program: in the 64-bit prefix it reads the 32-bit registry view and its
# system folder is the WOW64 one. The 64-bit build that machines without 32-bit support test instead
# has the 64-bit ones.
own_view=$("$scripts/pe-bits.sh" "$dist/VtSetup.exe")
if [ "$arch" = win64 ] && [ "$own_view" = 32 ]; then
    system=$drive_c/windows/syswow64
else
    system=$drive_c/windows/system32
fi
failures=0
case_name=
fail() {
    echo "FAIL${case_name:+ [$case_name]}: $*"
    failures=$((failures + 1))
}

# case_folder NAME: $folder becomes a fresh C:\<case_prefix>-NAME-<arch>, listed in made for the script's
# clean-up. Scripts that may run beside each other keep apart by their case_prefix.
case_prefix=vt-e2e
made=()
case_folder() {
    folder=$drive_c/$case_prefix-$1-$arch
    rm -rf "$folder"
    mkdir -p "$folder"
    made+=("$folder")
}

# remove_made: removes what a script's cases made: their folders, the shortcuts and $work.
remove_made() {
    for folder in "${made[@]}"; do rm -rf "$folder"; done
    rm -f "$desktop/Vectrace.lnk"
    rm -rf "$menu" "$work"
}

same_file() { cmp -s "$1" "$2" || fail "$2 is not $1"; }
absent() {
    [ -e "$1" ] && fail "$1 should not exist"
    return 0
}

# caption_for LANGUAGE_POSITION: the install-path dialog's caption in that language.
caption_for() { [ "$1" = 0 ] && echo "选择安装目录" || echo "Select install path"; }
# main_caption_for LANGUAGE: the main window's caption once that language is chosen.
main_caption_for() { [ "$1" = 0 ] && echo "欢迎使用" || echo "Welcome to use"; }

# windows_path PATH: a path below drive_c as the setup sees it.
windows_path() {
    local rel=${1#"$drive_c"/}
    echo "C:\\${rel//\//\\}"
}

# hold WINDOWS_PATH: a running program keeps the file open without sharing until release; false, and a
# failure counted, when it never got hold of it.
helper=
hold() {
    rm -f "$work/held.flag"
    (
        export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
        if [ "$arch" = win32 ]; then
            loader=$("$scripts/wine-loader.sh" win32)
        else
            loader=$("$scripts/wine-loader.sh") || export WINELOADER=$loader
        fi
        exec "$loader" "$hold_file" "$1" "Z:${work//\//\\}\\held.flag" </dev/null >/dev/null 2>&1
    ) &
    helper=$!
    for _ in $(seq 100); do [ -f "$work/held.flag" ] && return 0; sleep 0.1; done
    fail "the helper never held $1"
    return 1
}
release() {
    [ -n "$helper" ] || return 0
    kill "$helper" 2>/dev/null
    wait "$helper" 2>/dev/null
    helper=
}
