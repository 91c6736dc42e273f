#!/usr/bin/env bash
# What a program image is made of, from the map of its link (GNU ld's -Map, which vt_lean_image writes
# for the setup: build/win32/app/VtSetup-stub.map, build/x64/cmake/app/VtSetup-stub.map).
# Usage: image-map.sh MAP [PARTS]
# Prints the bytes each loaded section takes, then by origin (our code, libstdc++, libgcc, the mingw-w64
# C runtime, winpthreads, libuuid, import stubs), then the PARTS (default 25) largest object files.
# Figures are the sections' contents before the image's own padding, headers and relocations.
set -euo pipefail
map=${1:?usage: image-map.sh MAP [PARTS]}
parts=${2:-25}

awk -v parts="$parts" '
function hex(s,   i, n) {
    n = 0; s = tolower(s); sub(/^0x/, "", s)
    for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
}
function member(f,   m) { m = f; sub(/.*\(/, "", m); sub(/\)$/, "", m); return m }
# The origin of an input file as the map names it, and the part of it worth naming.
function origin(f,   m) {
    if (f ~ /ltrans[0-9]*\.ltrans\.o$/) { part = "optimized as a whole"; return "our code" }
    if (f !~ /^\//) { m = f; sub(/\(.*/, "", m); sub(/.*\//, "", m); part = m; return "our code" }
    m = member(f)
    if (f ~ /lib(std|sup)c\+\+\.a\(/) { part = m; return "libstdc++" }
    if (f ~ /libgcc(_eh)?\.a\(/) { part = m; return "libgcc" }
    if (f ~ /lib(win)?pthread\.a\(/) { part = m; return "winpthreads" }
    if (f ~ /libuuid\.a\(/) { part = m; return "libuuid" }
    if (f ~ /lib(mingw32|mingwex|msvcrt|moldname)\.a\(/ || f ~ /crt2\.o$|crtbegin\.o$|crtend\.o$/) {
        part = (f ~ /\.a\(/) ? m : f; sub(/.*\//, "", part); return "mingw-w64 C runtime"
    }
    if (f ~ /\/lib[A-Za-z0-9_]+\.a\(/) { m = f; sub(/.*\/lib/, "", m); sub(/\.a\(.*/, "", m); part = m; return "import stubs" }
    part = f; return "other"
}
function add(section, bytes, file,   o) {
    if (bytes == 0) return
    o = origin(file)
    total[section] += bytes; all += bytes
    byorigin[o] += bytes; origin_section[o, section] += bytes
    bypart[o " " part] += bytes; part_section[o " " part, section] += bytes
}
function detail(key, table,   s, out) {
    out = ""
    for (s = 1; s <= nsections; s++)
        if (table[key, sections[s]] > 0) out = out (out == "" ? "" : ", ") sections[s] " " table[key, sections[s]]
    return out
}
BEGIN { nsections = split(".text .rdata .eh_frame .data .idata .rsrc .CRT .tls .pdata .xdata", sections, " ") }
# An output section starts at the left margin; only the loaded ones count.
/^\.[A-Za-z_]/ { current = $1; kept = 0; for (s = 1; s <= nsections; s++) if (current == sections[s]) kept = 1; pending = 0; next }
!kept { next }
/^ \*fill\*/ { next }
# An input section: name, address, size, file; a long name puts the figures on the next line.
/^ \.[^ ]+ *$/ { pending = 1; next }
/^ \./ && NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/ { f = $4; for (i = 5; i <= NF; i++) f = f " " $i; add(current, hex($3), f); next }
pending && NF >= 3 && $1 ~ /^0x/ && $2 ~ /^0x/ { f = $3; for (i = 4; i <= NF; i++) f = f " " $i; add(current, hex($2), f); pending = 0; next }
{ pending = 0 }
END {
    line = ""
    for (s = 1; s <= nsections; s++) if (total[sections[s]] > 0) line = line (line == "" ? "" : ", ") sections[s] " " total[sections[s]]
    printf "%d bytes of section contents: %s\n\nby origin:\n", all, line
    for (o in byorigin) printf "%9d  %-22s (%s)\n", byorigin[o], o, detail(o, origin_section) | "sort -rn"
    close("sort -rn")
    printf "\nlargest parts:\n"
    for (p in bypart) printf "%9d  %-44s (%s)\n", bypart[p], p, detail(p, part_section) | "sort -rn | head -n " parts
    close("sort -rn | head -n " parts)
}' "$map"
