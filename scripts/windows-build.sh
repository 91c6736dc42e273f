# Sourced by the scripts that run the setup or its tests under Wine: picks which Windows build they use.
#
# The setup is a 32-bit program. A kernel whose 32-bit emulation is switched off runs no 32-bit code,
# under Wine or otherwise (scripts/wine-loader.sh finds this out): there the same sources built for
# 64-bit Windows stand in, in the 64-bit prefix. They prove the setup's behaviour on Windows, though not
# the WOW64 side of it (the 32-bit registry view, the redirected system folder).
#
# vt_pick_windows_build ROOT X64_MAKE_TARGET [NOTICE]
#   Sets vt_out (the build root whose bin/, dist/ and wine/ to use), vt_arch (win32 or win64),
#   vt_preset (the CTest preset), vt_cmake (the CMake build folder), exports VT_WINE_ARCH, and
#   VT_WINE_ROOT unless it is set: the prefixes of the build it picked. Where no 32-bit program runs it
#   prints NOTICE (if given) to stderr and makes X64_MAKE_TARGET first (a failed make ends the calling
#   script). Callers tell the builds apart by vt_arch.
vt_pick_windows_build() {
    local root=$1 target=$2 notice=${3:-}
    vt_out=${VT_BUILD_ROOT:-$root/build}
    vt_arch=win32 vt_preset=win32 vt_cmake=$vt_out/win32
    if "$root/scripts/wine-loader.sh" >/dev/null; then
        export VT_WINE_ARCH=$vt_arch VT_WINE_ROOT=${VT_WINE_ROOT:-$vt_out/wine}
        return 0
    fi
    [ -z "$notice" ] || printf '%s\n' "$notice" >&2
    if ! make -C "$root" --no-print-directory "$target" >/dev/null; then
        echo "make $target failed" >&2
        exit 1
    fi
    vt_out=$vt_out/x64 vt_arch=win64 vt_preset=x64 vt_cmake=$vt_out/cmake
    export VT_WINE_ARCH=$vt_arch VT_WINE_ROOT=$vt_out/wine
}
