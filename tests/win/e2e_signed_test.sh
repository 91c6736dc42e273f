#!/usr/bin/env bash
# Signed and damaged setups end to end. A throwaway certificate is made with openssl; the distribution's
# setup is signed with osslsigncode and a second signature nested into the first; osslsigncode verify and
# vtpack verify both pass, the header's checksum is the whole file's at each step, vtpack extract gives
# the payload back, and the main software installs through the window from the signed setup.
# Then three damaged setups (a payload byte flipped, the file cut short as by a broken download, the
# signed setup altered after signing): vtpack verify refuses each, and in both languages the install
# button and the USB driver button each answer with the damaged-setup message and write nothing.
# Usage: e2e_signed_test.sh UIDRIVER_EXE VTPACK   (VT_WINE_ARCH, VT_WINE_ROOT, VT_DIST_DIR set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
uidriver=$1 vtpack=$2
source "$here/e2e_common.sh"
for tool in openssl osslsigncode; do
    command -v $tool >/dev/null || { echo "no $tool (scripts/bootstrap.sh installs it); skipped"; exit 77; }
done
work=$(mktemp -d)
target=$drive_c/vt-e2e-signed-$arch
cleanup() {
    rm -rf "$work" "$target"
    rm -f "$desktop/Vectrace.lnk"
    rm -rf "$menu"
}
trap cleanup EXIT

damaged_for() {
    [ "$1" = 0 ] && echo "安装文件已损坏,请重新下载!" || echo "The setup file is damaged, please download it again!"
}

# setup_in NAME: a copy of the distribution in $work/NAME, its VtSetup.exe to be replaced by the case.
setup_in() {
    rm -rf "${work:?}/$1"
    cp -R "$dist" "$work/$1"
}

# install DIST LANGUAGE MESSAGE: the main software into a fresh, empty target through the window.
install() {
    rm -rf "$target"
    mkdir -p "$target"
    rm -f "$desktop/Vectrace.lnk"
    VT_DIST_DIR=$1 E2E_LANGUAGE=$2 E2E_PATH_CAPTION=$(caption_for "$2") E2E_TARGET='C:\vt-e2e-signed-'$arch \
        E2E_MESSAGE=$3 timeout -k 5 120 "$runner" "$uidriver" "$here/e2e_install/main_software.scn" ||
        fail "install in language $2: expected \"$3\""
}

# The driver button; the serial driver folder must not appear in the system folder.
driver_button() {  # DIST LANGUAGE MESSAGE
    rm -rf "$system/MxDriver" "$system/QTXDriver"
    VT_DIST_DIR=$1 E2E_LANGUAGE=$2 E2E_MESSAGE=$3 timeout -k 5 120 "$runner" "$uidriver" \
        "$here/e2e_signed/usb_driver_message.scn" || fail "driver button in language $2: expected \"$3\""
    [ -e "$system/MxDriver" ] || [ -e "$system/QTXDriver" ] && fail "the driver button wrote into the system folder"
    rm -rf "$system/MxDriver" "$system/QTXDriver"
}

# le32 FILE OFFSET: the unsigned 32-bit little-endian number there.
le32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
flip_byte() {  # FILE OFFSET
    local byte
    byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
    printf "$(printf '\\%03o' $((byte ^ 0x40)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
# The first data byte of the first entry of an unsigned setup, past its 400-byte name.
first_data_byte() {
    local length count
    length=$(stat -c %s "$1")
    count=$(le32 "$1" $((length - 4)))
    echo $(($(le32 "$1" $((length - 4 - 4 * count))) + 400))
}

# --- signed, then nested, verified by both tools, installed through the window
case_name=signed
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=VtSetup test signer" >/dev/null 2>&1 || fail "openssl could not make a certificate"
setup_in signed
unsigned_length=$(stat -c %s "$dist/VtSetup.exe")
[ $((unsigned_length % 8)) = 0 ] || fail "vtpack left a length of $unsigned_length, not a multiple of 8"
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -n "Vectrace Setup" -h sha256 \
    -in "$dist/VtSetup.exe" -out "$work/once.exe" >/dev/null || fail "osslsigncode sign"
rm -f "$work/signed/VtSetup.exe"
osslsigncode sign -nest -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 \
    -in "$work/once.exe" -out "$work/signed/VtSetup.exe" >/dev/null || fail "osslsigncode sign -nest"
echo "--- osslsigncode verify"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed/VtSetup.exe" >"$work/verify.txt" 2>&1 ||
    fail "osslsigncode verify"
grep -E "Signature verification|Number of verified signatures|Succeeded|Failed" "$work/verify.txt"
grep -q "Number of verified signatures: 2" "$work/verify.txt" || fail "not two verified signatures"
echo "--- vtpack verify"
"$vtpack" verify "$work/signed/VtSetup.exe" || fail "vtpack verify refused the signed setup"
"$vtpack" list "$work/signed/VtSetup.exe" | tail -n 2
# The signer added no padding of its own: its table starts right behind the count.
"$vtpack" list "$work/signed/VtSetup.exe" | grep -q "at offset $unsigned_length, right behind the archive" ||
    fail "the certificate table does not start at $unsigned_length"
# The header's checksum covers the whole file: vtpack wrote the unsigned file's, each signature its own.
for setup in "$dist/VtSetup.exe" "$work/once.exe" "$work/signed/VtSetup.exe"; do
    "$vtpack" list "$setup" | grep -q "^checksum: [0-9]*, the whole file's$" ||
        fail "$setup: $("$vtpack" list "$setup" | grep '^checksum')"
done
"$vtpack" extract "$work/signed/VtSetup.exe" "$work/extracted" >/dev/null || fail "vtpack extract"
diff -r "$payload" "$work/extracted" || fail "vtpack extract of the signed setup differs from the payload"
install "$work/signed" 2 "Install OK!"
diff -r -x QTXCfg -x QTXDoc -x QTXLanguage -x QTXRes -x MxDriver -x QTXCad -x QTXCorel -x QtxAi \
    "$payload" "$target/Vectrace" || fail "the installed tree differs from the payload"
[ -f "$target/Vectrace/QTXCfg/SoftCfg.ini" ] || fail "no SoftCfg.ini"
[ -f "$desktop/Vectrace.lnk" ] || fail "no desktop shortcut"

# --- damaged setups: refused by vtpack verify and, before anything is written, by both buttons
setup_in flipped
flip_byte "$work/flipped/VtSetup.exe" "$(first_data_byte "$dist/VtSetup.exe")"
setup_in truncated
head -c $(($(stat -c %s "$dist/VtSetup.exe") * 2 / 3)) "$dist/VtSetup.exe" >"$work/truncated/VtSetup.exe"
setup_in signed-altered
cp "$work/signed/VtSetup.exe" "$work/signed-altered/VtSetup.exe"
flip_byte "$work/signed-altered/VtSetup.exe" $(($(first_data_byte "$dist/VtSetup.exe") + 1000))
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed-altered/VtSetup.exe" >/dev/null 2>&1 &&
    { case_name=signed-altered; fail "osslsigncode verify accepted the altered file"; }

for case_name in flipped truncated signed-altered; do
    echo "--- $case_name"
    "$vtpack" verify "$work/$case_name/VtSetup.exe" && fail "vtpack verify accepted it"
    for language in 0 2; do
        install "$work/$case_name" $language "$(damaged_for $language)"
        [ -z "$(ls -A "$target")" ] || fail "the install wrote into the target: $(ls -A "$target")"
        [ -e "$desktop/Vectrace.lnk" ] && fail "a shortcut was made"
        driver_button "$work/$case_name" $language "$(damaged_for $language)"
    done
done

echo "$failures failure(s)"
[ "$failures" = 0 ]
