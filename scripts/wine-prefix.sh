#!/usr/bin/env bash
# Prints the path of the project's Wine prefix for an architecture (win32 or win64), creating it on
# first use. Prefixes live under build/wine so a clean build starts from a fresh Windows.
set -euo pipefail
arch=${1:-${VT_WINE_ARCH:-win32}}
root=${VT_WINE_ROOT:-$(cd "$(dirname "$0")/.." && pwd)/build/wine}
prefix=$root/$arch
mkdir -p "$root"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=$prefix

case $arch in
    win32)
        # Where no 32-bit code runs, the emulated 32-bit Wine serves this prefix if it is set up.
        if ! loader=$("$(dirname "$0")/wine-loader.sh" win32); then
            echo "wine-prefix: this machine runs no 32-bit programs (its kernel has 32-bit emulation off) and has no emulated 32-bit Wine (scripts/bootstrap.sh), so it has no 32-bit prefix" >&2
            exit 2
        fi
        ;;
    win64)
        loader=/usr/lib/wine/wine64
        "$(dirname "$0")/wine-loader.sh" >/dev/null || export WINELOADER=$loader
        ;;
    *) echo "wine-prefix: unknown architecture '$arch' (win32 or win64)" >&2; exit 2 ;;
esac

# Parallel tests may all want the prefix at once: one creates it, the others wait.
exec 9>"$root/.$arch.lock"
flock 9
# Settings the prefixes carry; bump the stamp when they change so existing prefixes take them too.
settings=3
if [ ! -f "$prefix/.vt-ready" ]; then
    rm -rf "$prefix"
    WINEARCH=$arch "$loader" wineboot -i >/dev/null 2>&1
fi
if [ "$(cat "$prefix/.vt-ready" 2>/dev/null)" != "$settings" ]; then
    # The dialog font "宋体" (SimSun) and its English name come from the CJK font that Debian ships,
    # so Chinese texts show real glyphs. There is no window manager on the virtual display: unmanaged
    # windows get their frames and captions drawn by Wine, and hiding a window does not wait 2 s for
    # a window manager that never answers.
    cat >"$root/.$arch-setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"\xcb\xce\xcc\xe5"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    "$loader" regedit /S "Z:$root/.$arch-setup.reg" >/dev/null 2>&1 || true
    "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
    # The settings must be on disk before the prefix counts as ready, but a server that other
    # programs keep busy would hold this wait forever: bounded.
    timeout 30 "$(dirname "$0")/wine-server.sh" "$arch" -w || true
    # Wine links the user's Desktop, Documents and the like to the Linux home folder; shortcuts and
    # files that tests make there must stay inside the prefix.
    for link in "$prefix"/drive_c/users/*/*; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
    echo "$settings" >"$prefix/.vt-ready"
fi
echo "$prefix"
