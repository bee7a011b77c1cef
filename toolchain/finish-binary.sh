#!/bin/sh
# Usage: finish-binary.sh STRIP FILE SYMBOLS_DIR [--run-from-swap]
# Keeps a copy of FILE with its symbols in SYMBOLS_DIR, strips FILE, and with
# --run-from-swap sets IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400) and
# IMAGE_FILE_NET_RUN_FROM_SWAP (0x0800), for which the linker has no switch:
# the loader then copies the program to the swap file before it runs it, so a
# floppy taken out while it runs does not take its code pages away.
set -eu
strip=$1 file=$2 symbols=$3 mark=${4:-}
mkdir -p "$symbols"
cp "$file" "$symbols/$(basename "$file")"
"$strip" --strip-all "$file"
[ "$mark" = --run-from-swap ] || exit 0

u16() { od -An -tu2 -j"$1" -N2 "$file" | tr -d ' '; }
u32() { od -An -tu4 -j"$1" -N4 "$file" | tr -d ' '; }
pe=$(u32 60)
[ "$(u32 "$pe")" -eq 17744 ] || { echo "$file: no PE signature at $pe" >&2; exit 1; }
# Characteristics: the last field of the COFF header, 22 bytes after "PE\0\0".
at=$((pe + 22))
value=$(( $(u16 "$at") | 0x0C00 ))
printf "$(printf '\\%03o\\%03o' $((value & 255)) $((value >> 8)))" |
    dd of="$file" bs=1 seek="$at" conv=notrunc status=none
