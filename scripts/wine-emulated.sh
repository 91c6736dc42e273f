#!/usr/bin/env bash
# The 32-bit Wine of a machine whose kernel runs no 32-bit code: a Debian 13 (trixie) root with its
# 32-bit Wine 10, whose loader runs under qemu-i386 (user-mode emulation) and talks to the 64-bit
# wineserver of the same Wine. It runs 32-bit Windows programs in a 32-bit prefix; there is no WOW64.
#
#   wine-emulated.sh --setup         builds the root from Debian's package archive (bootstrap.sh calls it
#                                    where no 32-bit code runs); quiet and quick when it is there
#   wine-emulated.sh --ready         exit 0 when the root is there and complete, and the caller may
#                                    use it (chroot and mount need root)
#   wine-emulated.sh --server ARGS   that Wine's wineserver (e.g. -k, -w) for the caller's WINEPREFIX
#   wine-emulated.sh PROGRAM ARGS    runs a program like the `wine` loader does: the caller's WINEPREFIX,
#                                    DISPLAY, LANG, WINEDEBUG, WINEDLLOVERRIDES; QEMU_CPU picks the
#                                    emulated processor (e.g. pentium3, Conroe, Haswell)
#
# Debian 12's own 32-bit Wine 8 under its qemu-i386 7.2 gets as far as wineboot with the same wrappers,
# but its services crash and programs hang: not usable. Debian 13's Wine and qemu are.
# The root lives outside the worktree (VT_WINE32_ROOT, default /var/lib/vt-wine32), shared by all
# checkouts of the machine; the programs see this checkout, /tmp and the display at the same paths.
set -euo pipefail
root=${VT_WINE32_ROOT:-/var/lib/vt-wine32}
repo=$(cd "$(dirname "$0")/.." && pwd)
suite=trixie
# Bump when the set-up below changes, so existing roots take it.
stamp=1

ready() { [ "$(cat "$root/.vt-ready" 2>/dev/null)" = "$stamp" ]; }

# The pseudo file systems and the folders shared with the programs, at the same paths inside. Many
# programs start at once: one mounts, the others wait.
mounts() {
    exec 8>"$root/.vt-mounts.lock"
    flock 8
    mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
    mountpoint -q "$root/sys" || mount -t sysfs sys "$root/sys"
    mountpoint -q "$root/dev" || { mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"; }
    mountpoint -q "$root/tmp" || mount --bind /tmp "$root/tmp"
    share "$repo"
    # The tests' small drive S: is a tmpfs below the checkout, mounted and removed as they go.
    local drive
    for drive in "$repo"/build/wine/small-drive "$repo"/build/x64/wine/small-drive; do
        if mountpoint -q "$drive"; then share "$drive"; fi
    done
    exec 8>&-
}

# share DIR: DIR at the same path inside, the very same file system (a bind made before DIR was
# mounted anew shows the old one).
share() {
    mkdir -p "$root$1"
    [ "$(stat -c %d:%i "$1")" = "$(stat -c %d:%i "$root$1")" ] && return 0
    while mountpoint -q "$root$1"; do umount -l "$root$1"; done
    mount --bind "$1" "$root$1"
}

setup() {
    ready && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "wine-emulated: building the emulated 32-bit Wine needs root (debootstrap, chroot)" >&2
        return 1
    fi
    echo "wine-emulated: building the emulated 32-bit Wine in $root (Debian $suite, a few minutes)" >&2
    export DEBIAN_FRONTEND=noninteractive
    command -v debootstrap >/dev/null ||
        apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends debootstrap >/dev/null
    # The mirror this machine's apt uses.
    local mirror
    mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    [ -n "$mirror" ] || mirror=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
    [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
    if [ ! -f "$root/.vt-base" ]; then
        rm -rf "$root"
        mkdir -p "$root"
        debootstrap --variant=minbase "$suite" "$root" "$mirror" >/dev/null
        touch "$root/.vt-base"
    fi
    mounts
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    local in=(chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive)
    "${in[@]}" dpkg --add-architecture i386
    "${in[@]}" apt-get update -qq
    "${in[@]}" apt-get install -y -qq --no-install-recommends wine wine32:i386 wine64 qemu-user locales \
        fonts-wqy-microhei fonts-wine >/dev/null
    # Wine takes the ANSI code page from the locale: the tests of Chinese names run with these.
    "${in[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    "${in[@]}" localedef -i zh_TW -f UTF-8 zh_TW.UTF-8
    # Every start of the 32-bit loader, the first and those Wine makes for child processes (through
    # `wine` or `wine-preloader <loader> args`), goes through qemu-i386. WINELOADERNOEXEC keeps the
    # loader from re-executing itself natively. The wineserver is already the 64-bit one.
    local dir=$root/usr/lib/wine
    [ -e "$dir/wine.real" ] || mv "$dir/wine" "$dir/wine.real"
    printf '#!/bin/sh\nexport WINELOADERNOEXEC=1\nexec /usr/bin/qemu-i386 -L / /usr/lib/wine/wine.real "$@"\n' \
        >"$dir/wine"
    printf '#!/bin/sh\nshift\nexport WINELOADERNOEXEC=1\nexec /usr/bin/qemu-i386 -L / /usr/lib/wine/wine.real "$@"\n' \
        >"$dir/wine-preloader"
    chmod +x "$dir/wine" "$dir/wine-preloader"
    echo "$stamp" >"$root/.vt-ready"
    echo "wine-emulated: done" >&2
}

# Runs a command inside the root with the caller's environment, which Windows programs see as theirs
# (the tests hand them their settings so), less what names the machine's own Wine or libraries.
inside() {
    mounts
    exec chroot "$root" /usr/bin/env -u LD_LIBRARY_PATH -u LD_PRELOAD -u WINELOADER -u WINESERVER \
        -u WINEDLLPATH PATH=/usr/lib/wine:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        WINEPREFIX="${WINEPREFIX:-/root/.wine}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}" \
        LANG="${LANG:-C.UTF-8}" QEMU_CPU="${QEMU_CPU:-max}" \
        sh -c 'cd "$1" 2>/dev/null || cd /; shift; exec "$@"' sh "$PWD" "$@"
}

case ${1:-} in
    --setup) setup ;;
    --ready) ready && [ "$(id -u)" -eq 0 ] ;;
    --server) shift; ready && inside /usr/lib/wine/wineserver "$@" ;;
    *)
        if ! ready; then
            echo "wine-emulated: no emulated 32-bit Wine in $root (scripts/bootstrap.sh builds it)" >&2
            exit 1
        fi
        inside /usr/lib/wine/wine "$@"
        ;;
esac
