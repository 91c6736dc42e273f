#!/usr/bin/env bash
# Runs a command with an X display: the user's when there is one, otherwise a private Xvfb that lives
# exactly as long as the command. Wine servers that the command left running are stopped with it,
# since their windows belong to that display.
set -uo pipefail
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
fd_file=$(mktemp)
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$fd_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$fd_file" ] && break
    sleep 0.05
done
if [ ! -s "$fd_file" ]; then
    echo "with-display: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$fd_file")"
rm -f "$fd_file"

stop() {
    for prefix in "${VT_WINE_ROOT:-$here/../build/wine}"/win{32,64} "$here"/../build/x64/wine/win64; do
        [ -d "$prefix" ] && WINEPREFIX=$prefix "$here/wine-server.sh" "${prefix##*/}" -k >/dev/null 2>&1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}
trap stop EXIT
"$@"
