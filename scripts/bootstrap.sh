#!/usr/bin/env bash
# Installs what building and testing VtSetup needs on Debian 12. Silent and quick when all is there.
set -euo pipefail

packages=(
    cmake make ninja-build g++ googletest
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    wine wine32:i386 wine64
    xvfb xauth x11-utils imagemagick
    fonts-wqy-microhei fonts-wine locales
    liblnk-utils
    nsis
    clang libclang-rt-14-dev
    libxxhash-dev osslsigncode openssl python3-pefile
)

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then sudo "$@"; else
            echo "bootstrap: run as root or install sudo to add: $*" >&2
            return 1
        fi
    else
        "$@"
    fi
}

missing=()
have_i386=0
dpkg --print-foreign-architectures | grep -qx i386 && have_i386=1
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$p")
    fi
done

# Wine takes a program's ANSI code page from the locale: tests of Chinese file names run with
# zh_CN.UTF-8, which must exist for Wine to map those names to UTF-8 on the Linux side.
ensure_chinese_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
    need_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

# A kernel that runs no 32-bit code runs the 32-bit build's Windows tests under emulation instead
# (about 3 GB and 10 minutes once per machine; VT_EMULATED_TESTS=0 goes without).
ensure_emulated_wine32() {
    "$(dirname "$0")/wine-loader.sh" >/dev/null && return 0
    [ "${VT_EMULATED_TESTS:-1}" != 0 ] || return 0
    need_root "$(dirname "$0")/wine-emulated.sh" --setup
}

if [ "$have_i386" -eq 1 ] && [ "${#missing[@]}" -eq 0 ]; then
    ensure_chinese_locale
    ensure_emulated_wine32
    exit 0
fi

echo "bootstrap: installing ${missing[*]:-(i386 architecture)}" >&2
export DEBIAN_FRONTEND=noninteractive
if [ "$have_i386" -eq 0 ]; then
    need_root dpkg --add-architecture i386
fi
# Another installation may hold apt's lock for a while: wait for it rather than fail.
need_root apt-get -o DPkg::Lock::Timeout=900 update -qq
need_root apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
ensure_chinese_locale
ensure_emulated_wine32
echo "bootstrap: done" >&2
