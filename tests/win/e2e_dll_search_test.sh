#!/usr/bin/env bash
# System DLLs only from the system folder, proven on Wine's loader:
#  1. the distribution's setup installs the main software with Wine tracing its loader (+loaddll for what
#     is loaded, +module for where each load by name searches). The setup's first act restricts the
#     search, so the first search without the setup's folder in its path marks the end of start-up:
#     what was loaded before it Wine loaded before the setup's first instruction, out of its reach.
#  2. A marker DLL is planted beside the setup under the name of every DLL loaded after start-up, with
#     native-first overrides that make Wine prefer a file it finds over its own; the install runs again.
#     No marker may be loaded, and the install must succeed with the right files.
#  3. Control: a helper that restricts nothing loads the same names from the same folder with the same
#     overrides, and every marker is loaded, so step 2 would have seen a load had there been one.
# Usage: e2e_dll_search_test.sh UIDRIVER_EXE MARKER_DLL LOAD_BY_NAME_EXE   (VT_WINE_ARCH, VT_WINE_ROOT,
# VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1 marker=$2 load_by_name=$3
source "$here/e2e_common.sh"
work=$(mktemp -d)
target=$drive_c/vt-e2e-dll-$arch
cleanup() {
    rm -rf "$work" "$target"
    rm -f "$desktop/Vectrace.lnk"
    rm -rf "$menu"
}
trap cleanup EXIT

cp -R "$dist" "$work/dist"
# The setup's folder as Wine writes it in a trace: each backslash doubled.
app_folder=$(printf 'Z:%s/dist' "$work" | sed 's|/|\\\\|g')

# install TRACE: the main software into a fresh target through the window, the loader's trace kept.
install() {
    rm -rf "$target"
    mkdir -p "$target"
    VT_DIST_DIR=$work/dist E2E_LANGUAGE=1 E2E_PATH_CAPTION="Select install path" E2E_TARGET='C:\vt-e2e-dll-'$arch \
        E2E_MESSAGE="Install OK!" VT_WINEDEBUG=+pid,+loaddll,+module \
        timeout -k 5 180 "$runner" "$uidriver" "$here/e2e_install/main_software.scn" >"$1" 2>&1 ||
        { fail "the installation did not end with \"Install OK!\""; grep -v ':trace:' "$1" | tail -n 20; }
    diff -r "$payload/QTXPrograms" "$target/Vectrace/QTXPrograms" >/dev/null || fail "QTXPrograms differs from the payload"
}

# The setup's own lines of a trace, as "L <name>" (loaded), "S <name> <path>" (a search by name) and
# "A <name>" (a DLL the process started with finished its start-up call: only then does the setup run).
setup_lines() {
    local pid
    pid=$(grep -F 'loaddll' "$1" | grep -F '\\VtSetup.exe"' | head -n 1 | cut -d: -f1)
    [ -n "$pid" ] || return
    grep "^$pid:" "$1" | sed -n \
        -e 's/.*:loaddll:.* Loaded L"\([^"]*\)".*/L \1/p' \
        -e 's/.*:module:load_dll looking for L"\([^"\\]*\)" in L"\([^";]*\).*/S \1 \2/p' \
        -e 's/.*:module:process_attach (L"\([^"]*\)",0*[1-9A-Fa-f][0-9A-Fa-f]*) - END.*/A \1/p'
}

install "$work/trace.txt"
setup_lines "$work/trace.txt" >"$work/lines"
# Start-up ends at the first search by name whose path does not begin with the setup's folder, after
# the start-up calls of the DLLs the process started with: what those load (Wine 10's common controls
# load the theming DLL so, searching the system folder for Wine's own driver first) comes before the
# setup's first instruction.
started=$(awk '$1 == "A" { n = NR } END { print n + 0 }' "$work/lines")
restricted=$(APP=$app_folder awk -v a="$started" '$1 == "S" && NR > a && index($3, ENVIRON["APP"]) != 1 { print NR; exit }' "$work/lines")
if [ -z "$restricted" ]; then
    fail "no search by name left the setup's folder out: the search was never restricted"
    restricted=$(($(wc -l <"$work/lines") + 1))
fi
basename_of() { sed 's/.*\\//' | tr 'A-Z' 'a-z'; }
awk -v r="$restricted" 'NR < r && $1 == "L" { print $2 }' "$work/lines" | basename_of | grep -vx vtsetup.exe |
    sort -u >"$work/before"
awk -v r="$restricted" 'NR >= r && $1 == "L" { print $2 }' "$work/lines" | basename_of | sort -u |
    comm -23 - "$work/before" >"$work/after"
echo "loaded before the setup's first instruction (out of its reach): $(tr '\n' ' ' <"$work/before")"
echo "loaded after start-up: $(tr '\n' ' ' <"$work/after")"
echo "searched by name after start-up: $(awk -v r="$restricted" 'NR >= r && $1 == "S" { print $2 }' "$work/lines" |
    tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')"
[ -s "$work/after" ] || fail "the trace shows no DLL loaded after start-up"

# Plant a marker under each name loaded after start-up, Wine told to prefer such a file to its own.
overrides=
while read -r name; do
    cp "$marker" "$work/dist/$name"
    overrides+=${overrides:+,}${name%.dll}
done <"$work/after"
export VT_DLL_OVERRIDES="$overrides=n,b"
install "$work/planted.txt"
loaded=$(ls "$work/dist" | grep '\.loaded$')
[ -z "$loaded" ] || fail "planted DLLs were loaded by the setup: $loaded"
setup_lines "$work/planted.txt" | awk '$1 == "L"' | grep -F "$app_folder" | grep -vi '\\VtSetup.exe$' &&
    fail "the setup loaded the files above from its own folder"
echo "planted beside the setup: $(tr '\n' ' ' <"$work/after")- none loaded"

# Windows Vista, where the search is not restricted since shell links fail under it there: the DLLs
# preloaded from the system folder keep the planted ones out, and the shortcuts are made.
vista_key='HKCU\Software\Wine\AppDefaults\VtSetupVista.exe'
cp "$work/dist/VtSetup.exe" "$work/dist/VtSetupVista.exe"
"$runner" reg add "$vista_key" /v Version /d vista /f >/dev/null 2>&1 || fail "could not set the Windows version"
rm -rf "$target" "$user_folder/Desktop/Vectrace.lnk"
mkdir -p "$target"
VT_DIST_DIR=$work/dist E2E_EXE=VtSetupVista.exe E2E_TITLE=VtSetupVista E2E_TARGET='C:\vt-e2e-dll-'$arch \
    VT_WINEDEBUG=+pid,+loaddll,+module timeout -k 5 180 "$runner" "$uidriver" "$here/e2e_dll_search/main_software_as.scn" \
    >"$work/vista.txt" 2>&1 || { fail "Vista: the installation did not end with \"Install OK!\""; grep -v ':trace:' "$work/vista.txt" | tail -n 20; }
"$runner" reg delete "$vista_key" /f >/dev/null 2>&1
grep -q ':module:load_dll looking for L"[^"\\]*" in L"C:\\\\windows\\\\system32\\\\"' "$work/vista.txt" &&
    fail "Vista: the search was restricted all the same"
loaded=$(ls "$work/dist" | grep '\.loaded$')
[ -z "$loaded" ] || fail "Vista: planted DLLs were loaded by the setup: $loaded"
[ -f "$user_folder/Desktop/Vectrace.lnk" ] && [ -f "$menu/Uninstall.lnk" ] || fail "Vista: the shortcuts were not made"
diff -r "$payload/QTXPrograms" "$target/Vectrace/QTXPrograms" >/dev/null || fail "Vista: QTXPrograms differs"
echo "Windows Vista: search left as it is, planted DLLs not loaded, shortcuts made"

# Control: without the restriction, the same folder and overrides hand out the markers.
cp "$load_by_name" "$work/dist/"
"$runner" "$work/dist/$(basename "$load_by_name")" $(cat "$work/after") >/dev/null 2>&1 ||
    fail "the unrestricted helper could not load every planted name"
for name in $(cat "$work/after"); do
    [ -f "$work/dist/$name.loaded" ] || fail "control: the marker $name was not loaded without the restriction"
done

echo "$failures failure(s)"
[ "$failures" = 0 ]
