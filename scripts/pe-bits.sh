#!/usr/bin/env bash
# Prints 32 or 64: the bitness of a Windows program, from the machine field of its PE header.
set -euo pipefail
file=$1
offset=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$file" | tr -d ' ')
case $machine in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) echo "pe-bits: $file is no x86 or x64 Windows program (machine $machine)" >&2; exit 1 ;;
esac
