#!/bin/sh
# Usage: finish-binary.sh STRIP FILE SYMBOLS_DIR EPOCH_FILE [--run-from-swap]
# Keeps a copy of FILE with its symbols in SYMBOLS_DIR, strips FILE, and with
# --run-from-swap sets IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400) and
# IMAGE_FILE_NET_RUN_FROM_SWAP (0x0800), for which the linker has no switch:
# the loader then copies the program to the swap file before it runs it, so a
# floppy taken out while it runs does not take its code pages away.
# Then every time stamp of the headers becomes the seconds in EPOCH_FILE and
# the checksum is computed anew: the linker and strip stamp the link's own
# time (or SOURCE_DATE_EPOCH from their environment), and the flags above
# change bytes that the checksum covers.
set -eu
strip=$1 file=$2 symbols=$3 epoch=$(cat "$4") mark=${5:-}
here=$(dirname "$0")
case $epoch in '' | *[!0-9]*) echo "$4 holds no time in seconds: '$epoch'" >&2; exit 1 ;; esac
mkdir -p "$symbols"
cp "$file" "$symbols/$(basename "$file")"
"$strip" --strip-all "$file"

u16() { od -An -tu2 -j"$1" -N2 "$file" | tr -d ' '; }
u32() { od -An -tu4 -j"$1" -N4 "$file" | tr -d ' '; }
# put AT SIZE VALUE: VALUE little-endian into SIZE bytes at AT.
put() {
    bytes='' i=0
    while [ "$i" -lt "$2" ]; do
        bytes=$bytes$(printf '\\%03o' $(($3 >> (8 * i) & 255)))
        i=$((i + 1))
    done
    # shellcheck disable=SC2059 # the octal escapes are the format
    printf "$bytes" | dd of="$file" bs=1 seek="$1" conv=notrunc status=none
}
pe=$(u32 60)
[ "$(u32 "$pe")" -eq 17744 ] || { echo "$file: no PE signature at $pe" >&2; exit 1; }
if [ "$mark" = --run-from-swap ]; then
    # Characteristics: the last field of the COFF header, 22 bytes after "PE\0\0".
    at=$((pe + 22))
    put "$at" 2 $(( $(u16 "$at") | 0x0C00 ))
fi
od -An -v -tu1 "$file" | awk -v stamp="$epoch" -f "$here/pe-header.awk" >"$file.stamps"
while read -r at value; do put "$at" 4 "$value"; done <"$file.stamps"
rm -f "$file.stamps"
