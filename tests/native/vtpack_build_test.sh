#!/usr/bin/env bash
# vtpack build run as a user runs it, on payload trees that go wrong: each case must end with exit code
# 1 (not a crash), name the path at fault on stderr, and leave nothing in the output folder.
# Usage: vtpack_build_test.sh VTPACK
set -uo pipefail
vtpack=$1
work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# A folder that can't be read stops nobody with root's rights, so root runs the tool as nobody.
as_user=()
[ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)

printf 'MZ stub' >"$work/stub.exe"

# fresh: an empty tree with one good file, and an empty output folder everyone may write.
fresh() {
    case_name=$1
    tree=$work/$1/payload
    out=$work/$1/out
    mkdir -p "$tree/QTXPrograms" "$out"
    chmod -R a+rX "$work/$1"
    chmod 777 "$out"
    printf 'program' >"$tree/QTXPrograms/Vectrace.exe"
}

# refused NAMED: the build fails cleanly naming NAMED and writes nothing.
refused() {
    local named=$1 status
    "${as_user[@]}" "$vtpack" build "$tree" --stub "$work/stub.exe" -o "$out/VtSetup.exe" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "exit code $status: $(cat "$work/stderr")"
    grep -qF "\"$named\"" "$work/stderr" || fail "stderr does not name \"$named\": $(cat "$work/stderr")"
    grep -q "terminate called" "$work/stderr" && fail "uncaught exception: $(cat "$work/stderr")"
    [ -z "$(ls -A "$out")" ] || fail "the output folder holds: $(ls -A "$out")"
}

fresh link-loop
ln -s loop "$tree/QTXPrograms/loop"
refused "$tree/QTXPrograms/loop"

fresh link-ring
ln -s two "$tree/QTXPrograms/one"
ln -s one "$tree/QTXPrograms/two"
refused "$tree/QTXPrograms/one"

fresh folder-link-loop
ln -s .. "$tree/QTXPrograms/up"
refused "$tree/QTXPrograms/up"

fresh dangling-link
ln -s "$work/nowhere.dll" "$tree/QTXPrograms/Qtx.dll"
refused "$tree/QTXPrograms/Qtx.dll"

fresh link-to-a-file
printf 'elsewhere' >"$work/elsewhere.dll"
ln -s "$work/elsewhere.dll" "$tree/QTXPrograms/Qtx.dll"
refused "$tree/QTXPrograms/Qtx.dll"
grep -qF elsewhere "$work/stderr" && fail "named the link's target: $(cat "$work/stderr")"

fresh unreadable-folder
mkdir -p "$tree/QTXDoc/locked"
printf 'doc' >"$tree/QTXDoc/locked/a.txt"
chmod 000 "$tree/QTXDoc/locked"
refused "$tree/QTXDoc/locked"

fresh unreadable-file
printf 'secret' >"$tree/QTXDoc.txt"
chmod 000 "$tree/QTXDoc.txt"
refused "$tree/QTXDoc.txt"

fresh empty-tree
rm "$tree/QTXPrograms/Vectrace.exe"
refused "$tree"

fresh payload-is-not-a-folder
rm -rf "$tree"
refused "$tree"

fresh payload-is-a-link-loop
rm -rf "$tree"
ln -s payload "$tree"
refused "$tree"

# Names Linux takes and Windows reads specially; each one refused under its own name.
for name in aux.txt CON COM1.log lpt1 'a|b' 'a<b' 'a>b' 'a"b' 'a?b' 'a*b' $'a\tb' 'a.txt.' 'a.txt '; do
    fresh "special-name '$name'"
    printf 'x' >"$tree/QTXPrograms/$name"
    refused "$tree/QTXPrograms/$name"
done

fresh missing-stub
"$vtpack" build "$tree" --stub "$work/absent.exe" -o "$out/VtSetup.exe" >/dev/null 2>"$work/stderr"
[ $? = 1 ] && grep -qF "$work/absent.exe" "$work/stderr" || fail "missing stub: $(cat "$work/stderr")"
[ -z "$(ls -A "$out")" ] || fail "the output folder holds: $(ls -A "$out")"

fresh missing-output-folder
rm -rf "$out"
"$vtpack" build "$tree" --stub "$work/stub.exe" -o "$out/VtSetup.exe" >/dev/null 2>"$work/stderr"
[ $? = 1 ] && grep -qF "$out/VtSetup.exe" "$work/stderr" || fail "missing output folder: $(cat "$work/stderr")"

# A sound tree builds; a link planted under the old fixed temporary name is not written through.
fresh sound
printf 'precious' >"$work/victim.txt"
ln -s "$work/victim.txt" "$out/VtSetup.exe.tmp"
(umask 022 && "$vtpack" build "$tree/" --stub "$work/stub.exe" -o "$out/VtSetup.exe" >/dev/null 2>"$work/stderr") ||
    fail "exit code $?: $(cat "$work/stderr")"
[ "$(cat "$work/victim.txt")" = precious ] || fail "wrote through the planted link"
[ "$(ls -A "$out" | tr '\n' ' ')" = "VtSetup.exe VtSetup.exe.tmp " ] || fail "the output folder holds: $(ls -A "$out")"
[ "$(stat -c %a "$out/VtSetup.exe")" = 644 ] || fail "mode $(stat -c %a "$out/VtSetup.exe")"
"$vtpack" verify "$out/VtSetup.exe" >/dev/null || fail "the setup does not verify"

echo "$failures failure(s)"
[ "$failures" = 0 ]
