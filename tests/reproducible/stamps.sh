#!/usr/bin/env bash
# Usage: stamps.sh OBJDUMP STRIP EPOCH_FILE BINARY...
# Every time stamp of each binary is the build's time (the file header, the
# export directory, each resource directory table), and its checksum is the
# one binutils computes: strip, stamping that same time, changes no byte.
set -euo pipefail
objdump=$1 strip=$2 epoch=$(cat "$3")
shift 3
hex=$(printf '%08x' "$epoch")
status=0
u() { od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '; }
put() {
    local bytes='' i
    for ((i = 0; i < $4; i++)); do bytes+=$(printf '\\%03o' $(($3 >> (8 * i) & 255))); done
    printf "$bytes" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
for file in "$@"; do
    headers=$("$objdump" -p "$file")
    stamps=$(sed -n -e 's/^Time\/Date stamp[[:space:]]*\([0-9a-f]*\)$/\1/p' \
        -e 's/.*Table: Char: [0-9]*, Time: \([0-9a-f]*\),.*/\1/p' <<<"$headers")
    if [ -z "$stamps" ] || grep -vqx "$hex" <<<"$stamps"; then
        echo "$file: time stamps $(echo "$stamps" | sort -u | tr '\n' ' ')where all should be $hex"
        status=1
    fi
    again=$file.restripped
    SOURCE_DATE_EPOCH=$epoch "$strip" --strip-all -o "$again" "$file"
    # strip drops the flags that ask to run from the swap file; put back,
    # they add their bits to the sum that the checksum folds.
    pe=$(u "$file" 60 4) size=$(stat -c %s "$file")
    added=$(($(u "$file" $((pe + 22)) 2) - $(u "$again" $((pe + 22)) 2)))
    sum=$(($(u "$again" $((pe + 88)) 4) - size + added))
    put "$again" $((pe + 22)) "$(u "$file" $((pe + 22)) 2)" 2
    put "$again" $((pe + 88)) $(((sum & 65535) + (sum >> 16) + size)) 4
    cmp "$file" "$again" || { echo "$file: strip changes it (its checksum?)"; status=1; }
    rm -f "$again"
done
[ "$status" -ne 0 ] || echo "$# binaries: every time stamp is $hex, and their checksums are right"
exit "$status"
