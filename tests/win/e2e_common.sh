# Sourced by the end-to-end scripts: the distribution under test, the Wine prefix it runs in, and the
# places there that the scripts check. Without a distribution the script is skipped (exit 77, which
# ctest reports as skipped); with E2E_NEEDS_PAYLOAD=no the payload it was made from need not be there.
# Sets:
#   scripts       the project's scripts folder; runner, its wine-run.sh
#   arch          the prefix: win32 or win64
#   dist          the distribution's folder, with VtSetup.exe; payload, the small payload beside it
#   prefix, drive_c, user_folder, desktop, and menu: the start-menu folder the setup makes
#   own_view      the setup's bitness, 32 or 64, and so the registry view it reads
#   system        the setup's system folder
#   failures      0; fail MESSAGE counts one and names the case in $case_name, if one is set
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
runner=$scripts/wine-run.sh
arch=${VT_WINE_ARCH:-win32}
dist=${VT_DIST_DIR:?}
payload=$(dirname "$dist")/payload-small
if [ ! -f "$dist/VtSetup.exe" ] || { [ "${E2E_NEEDS_PAYLOAD:-yes}" != no ] && [ ! -d "$payload" ]; }; then
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
