#!/usr/bin/env bash
# Mounts (or removes) a 256 KiB drive S: in the project's Wine prefixes, so tests can fill a disk.
# Without the right to mount, no drive appears and the tests that need it skip.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
root=${2:-$here/../build/wine}
mountpoint=$root/small-drive
case $action in
    mount)
        mkdir -p "$mountpoint"
        mountpoint -q "$mountpoint" || mount -t tmpfs -o size=256k tmpfs "$mountpoint" 2>/dev/null ||
            { echo "small-drive: cannot mount a tmpfs here; tests of a full disk will skip"; exit 0; }
        # The build's prefixes (all by default); a machine that runs no 32-bit code has a 32-bit prefix
        # only through the emulated 32-bit Wine.
        shift $(($# < 2 ? $# : 2))
        arches=
        for arch in ${*:-win32 win64}; do
            [ "$arch" = win32 ] && ! "$here/wine-loader.sh" win32 >/dev/null && continue
            arches+=" $arch"
        done
        for arch in $arches; do
            prefix=$(VT_WINE_ROOT=$root "$here/wine-prefix.sh" "$arch")
            ln -sfn "$mountpoint" "$prefix/dosdevices/s:"
        done
        ;;
    unmount)
        for arch in win32 win64; do
            rm -f "$root/$arch/dosdevices/s:"
        done
        mountpoint -q "$mountpoint" && umount "$mountpoint"
        # The emulated 32-bit Wine's root shows the drive at the same path by a mount of its own
        # (scripts/wine-emulated.sh); left there, it would keep the checkout's folder busy for good.
        emulated=${VT_WINE32_ROOT:-/var/lib/vt-wine32}$(cd "$root" && pwd)/small-drive
        while mountpoint -q "$emulated" 2>/dev/null; do umount -l "$emulated"; done
        ;;
esac
exit 0
