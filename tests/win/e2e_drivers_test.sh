#!/usr/bin/env bash
# The USB driver button end to end: the distribution's VtSetup.exe driven through the UI driver under
# Wine, the installers' run logs and the system folder checked from Linux, and the setup's processor
# time sampled from /proc while the bar is paced. What the run put into the Windows folder is removed
# afterwards.
# Usage: e2e_drivers_test.sh UIDRIVER_EXE HOLD_FILE_EXE [clicks]   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
# With "clicks" only the cases that click with the real mouse run, which must have the screen to
# themselves; without it all the others.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1
hold_file=$2
only_clicks=${3:-}
scenarios=$here/e2e_drivers
source "$here/e2e_common.sh"
windows=$drive_c/windows
mx=$system/MxDriver
qtx=$system/QTXDriver
work=$(mktemp -d)
find "$windows" -type f | sort >"$work/before"
cleanup() {
    rm -rf "$mx" "$qtx"
    find "$windows" -type f | sort >"$work/after"
    comm -13 "$work/before" "$work/after" | while IFS= read -r file; do rm -f "$file"; done
    rm -rf "$work"
}
trap cleanup EXIT

# The serial driver stand-in is extracted over an existing folder, so its control file can wait there.
prepare() {  # run-ms of the serial driver stand-in
    rm -rf "$mx" "$qtx"
    mkdir -p "$mx"
    printf 'run-ms=%s\r\n' "$1" >"$mx/UsbDriver.exe.behave"
}

# Processor ticks of the VtSetup.exe this case started, sampled every 100 ms with the wall time and
# whether the serial driver stand-in has started, until the setup ends. Other tests may run setups in
# the same prefix meanwhile: the case's own is the one whose environment carries its marker, which
# Wine hands down from the UI driver.
sample_cpu() {  # marker
    local pid=
    for _ in $(seq 100); do
        for candidate in $(pgrep -x VtSetup.exe); do
            { tr '\0' '\n' <"/proc/$candidate/environ"; } 2>/dev/null | grep -qxF "E2E_CASE_MARKER=$1" && pid=$candidate
        done
        [ -n "$pid" ] && break
        sleep 0.1
    done
    [ -n "$pid" ] || return
    while [ -r "/proc/$pid/stat" ]; do
        local fields started=0
        fields=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null) || break
        [ -f "$mx/UsbDriver.exe.log" ] && started=1
        set -- $fields
        echo "$(date +%s.%N) $((${12} + ${13})) $started"
        sleep 0.1
    done
}

run() {  # scenario language title
    echo "--- $case_name: language $2"
    local marker=$$-$case_name-$RANDOM
    sample_cpu "$marker" >"$work/cpu" &
    local sampler=$!
    E2E_CASE_MARKER=$marker E2E_LANGUAGE=$2 E2E_TITLE=$3 timeout -k 5 120 "$runner" "$uidriver" "$scenarios/$1.scn" ||
        fail "scenario $1"
    wait "$sampler"
}

# One start of the installer, recorded with no arguments: its command line is only its own path, and
# its current folder the one it lies in (never the setup's, where a planted DLL would be found first).
check_started_once() {  # exe path (Linux) and its Windows path
    local log=$1.log tries=0
    while [ ! -s "$log" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
    [ -f "$log" ] || { fail "$(basename "$1") never started"; return; }
    local lines
    lines=$(tr -d '\r' <"$log")
    [ "$(grep -c . <<<"$lines")" = 1 ] || fail "$(basename "$1") started $(grep -c . <<<"$lines") times"
    local cmdline=${lines##*cmdline=}
    local quoted="\"$2\""
    [ "$cmdline" = "$2" ] || [ "$cmdline" = "$quoted" ] || fail "$(basename "$1") command line: $cmdline"
    local cwd=${lines##*cwd=}
    cwd=${cwd%%$'\t'*}
    cwd=${cwd%\\}
    local own=${2%\\*}
    [ "${cwd,,}" = "${own,,}" ] || fail "$(basename "$1") started in $cwd, not in its own folder $own"
}

check_files() {
    for file in UsbDriver.exe ftd2xx.dll Usbvcommtp.inf Usbvcommtp.cat qtx512m.005 qtx512u.005 qtx512m.006 \
        qtx512u.006 qtx512m2.006 qtx512u2.006; do
        [ -e "$mx/$file" ] && fail "MxDriver\\$file left behind"
    done
    for file in QtxWdf0.d QtxWdf1.d QtxWin0.d QtxWin1.d; do
        [ -f "$mx/$file" ] || fail "MxDriver\\$file removed"
    done
    [ -f "$qtx/InstallDriver.exe" ] && [ -d "$qtx/amd64" ] && [ -d "$qtx/x86" ] || fail "QTXDriver tree not kept"
}

# The setup sees "system32" in both prefixes; WOW64 redirects it for the 32-bit setup on the 64-bit one.
check_case() {
    check_started_once "$mx/UsbDriver.exe" "C:\\windows\\system32\\MxDriver\\UsbDriver.exe"
    check_started_once "$qtx/InstallDriver.exe" "C:\\windows\\system32\\QTXDriver\\InstallDriver.exe"
    check_files
}

if [ -n "$only_clicks" ]; then
    # The button pressed again, with the mouse and by a tool, while the driver command runs: no second
    # run (each installer starts once). The same mouse press on the waiting window does start the
    # command, so the press itself reaches the button.
    case_name=second-click
    prepare 3000
    run usb_driver_second_click 1 ""
    check_case
    case_name=mouse-click
    prepare 0
    run usb_driver_mouse_click 1 ""
    check_case
    echo "$failures failure(s)"
    [ "$failures" = 0 ]
    exit
fi

# The serial driver installer runs 6 s: the bar is read twice while it runs, in each language.
for language in 0 1; do
    case_name=slow-$language
    prepare 6000
    if [ $language = 0 ]; then title="安装驱动..."; else title="Installing the driver..."; fi
    run usb_driver $language "$title"
    check_case
    # The processor time between the stand-in's start and 5 s later, while the bar is paced.
    awk '$3 == 1 && !t0 { t0 = $1; c0 = $2 } t0 && $1 - t0 <= 5 { t1 = $1; c1 = $2 }
         END { if (t1 > t0) printf "%.1f %.2f %d\n", (c1 - c0) / 100 / (t1 - t0) * 100, t1 - t0, NR; else print "none" }' \
        "$work/cpu" >"$work/cpu-result"
    read -r percent seconds samples <"$work/cpu-result"
    echo "setup processor use while paced: ${percent}% of one core over ${seconds:-?} s (${samples:-0} samples in all)"
    if [ "$percent" = none ]; then
        fail "no processor samples"
    elif awk -v p="$percent" 'BEGIN { exit !(p > 30) }'; then
        fail "the setup used ${percent}% of a core while the bar was paced"
    fi
done

# The serial driver installer ends at once: straight through, no message.
case_name=quick
prepare 0
run usb_driver_quick 1 ""
check_case

# From the command line, very silent: no window, no message, exit code 0; both installers ran, the
# driver files were placed, and the log tells each step. The package installer runs 3 s and ends with
# 3010 (the vendor's word, not a failure of the setup's): the setup waits for it, so when the setup has
# ended the installer has too, and the log names both installers' exit codes.
case_name=very-silent
prepare 0
printf 'exit-code=7\r\n' >"$mx/UsbDriver.exe.behave"
mkdir -p "$qtx"
printf 'run-ms=3000\r\nexit-code=3010\r\n' >"$qtx/InstallDriver.exe.behave"
rm -f "$windows/inf/Usbvcommtp.inf"
log=$work/drivers.log
code=0
timeout -k 5 120 "$runner" "$dist/VtSetup.exe" /VERYSILENT /TYPE=usbdriver "/LOG=Z:${log//\//\\}" || code=$?
pgrep -f 'QTXDriver.InstallDriver\.exe' >/dev/null && fail "InstallDriver.exe still runs after the setup ended"
[ "$code" = 0 ] || fail "exit code $code"
check_case
# Both clocks are the prefix's local time: the stand-in's start plus its 3 s, and the log's last line.
standin_start=$(tr -d '\r' <"$qtx/InstallDriver.exe.log" | sed -n 's/.*\ttime=\([^\t]*\)\t.*/\1/p' | head -n 1)
setup_end=$(tr -d '\r' <"$log" | tail -n 1 | cut -c 1-23)
if [ -z "$standin_start" ] || [ -z "$setup_end" ]; then
    fail "no times to compare: '$standin_start' '$setup_end'"
elif [ $(($(date -d "$setup_end" +%s%3N) - $(date -d "$standin_start" +%s%3N))) -lt 3000 ]; then
    fail "the setup ended at $setup_end, before the package installer started at $standin_start had run 3 s"
fi
cmp -s "$payload/MxDriver/Usbvcommtp.inf" "$windows/inf/Usbvcommtp.inf" || fail "inf\\Usbvcommtp.inf not placed"
placed=$(find "$windows/system32" "$windows/syswow64" -maxdepth 1 -name WdfCoInstaller01011.dll 2>/dev/null | head -n 1)
if [ -z "$placed" ]; then
    fail "WdfCoInstaller01011.dll not placed"
elif ! cmp -s "$payload/MxDriver/QtxWdf1.d" "$placed" && ! cmp -s "$payload/MxDriver/QtxWdf0.d" "$placed"; then
    fail "$placed is no co-installer of the payload"
fi
for line in "Command line: " "Started and waiting for C:\\windows\\system32\\MxDriver\\UsbDriver.exe" \
    "C:\\windows\\system32\\MxDriver\\UsbDriver.exe ended with exit code 7" \
    "Started and waiting for C:\\windows\\system32\\QTXDriver\\InstallDriver.exe" \
    "C:\\windows\\system32\\QTXDriver\\InstallDriver.exe ended with exit code 3010" \
    "The USB drivers were installed." "Exit code 0"; do
    grep -qiF "$line" "$log" || fail "the log lacks '$line': $(cat "$log")"
done
# The package installer's end is told before the run's.
grep -n -e "InstallDriver.exe ended" -e "The USB drivers were installed" "$log" | head -n 1 | grep -q "InstallDriver.exe ended" ||
    fail "the run ended before the package installer did: $(cat "$log")"
grep -q "Failed" "$log" && fail "the log tells a failure: $(cat "$log")"

# /SILENT: the progress window alone, no box, exit code 0.
case_name=silent
prepare 1500
run usb_driver_silent 1 ""
check_case

# A driver file held open by a running program: the extraction fails, very silently: exit code 2 and
# the driver command's "error!" in the log instead of a box (a box would hold the run until the
# time-out); nothing is started.
case_name=very-silent-failure
prepare 0
: >"$mx/ftd2xx.dll"
if hold "C:\\windows\\system32\\MxDriver\\ftd2xx.dll"; then
    code=0
    timeout -k 5 120 "$runner" "$dist/VtSetup.exe" /VERYSILENT /TYPE=usbdriver "/LOG=Z:${log//\//\\}" || code=$?
    [ "$code" = 2 ] || fail "exit code $code, expected 2"
    grep -qF "Failed: error!" "$log" || fail "the log lacks the failure: $(cat "$log")"
    grep -qF "Exit code 2" "$log" || fail "the log lacks the exit code: $(cat "$log")"
    [ -e "$mx/UsbDriver.exe.log" ] && fail "the serial driver installer started after a failed extraction"
fi
release

echo "$failures failure(s)"
[ "$failures" = 0 ]
