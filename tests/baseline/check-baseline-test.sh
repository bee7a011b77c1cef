#!/bin/sh
# Usage: check-baseline-test.sh OBJDUMP CPUID_LIST SYMBOLS_DIR FIXTURE PROGRAM
# The baseline check refuses a DLL built for the i686 with MinGW's usual
# start-up, naming each reason and the functions, also once its code section
# is marked executable data instead of code; and a program named for the
# run-from-swap flags that asks for one of the two.
set -u
objdump=$1 cpuid_list=$2 symbols=$3 fixture=$4 program=$5
check=$(dirname "$0")/check-baseline.sh
status=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

expect() {
    echo "$out" | grep -q "$1" || { echo "FAIL: the refusal does not say \"$1\":"; echo "$out"; status=1; }
}
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
# put FILE OFFSET VALUE: writes the 16-bit VALUE, little-endian, at OFFSET.
put16() {
    printf "\\$(printf %03o $(($3 & 255)))\\$(printf %03o $(($3 >> 8)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# The first section (.text) flagged as initialized data (0x40) instead of
# code (0x20), still executable.
cp "$fixture" "$tmp/executable-data.dll"
pe=$(u32 "$fixture" 60)
text_flags=$((pe + 24 + $(od -An -tu2 -j $((pe + 20)) -N2 "$fixture" | tr -d ' ') + 36))
put16 "$tmp/executable-data.dll" "$text_flags" $((($(u32 "$fixture" "$text_flags") & 0xffdf | 0x40) & 0xffff))
for dll in "$fixture" "$tmp/executable-data.dll"; do
    if out=$("$check" "$objdump" "$cpuid_list" "$symbols" "$dll"); then
        echo "FAIL: a DLL built for the i686 passed the check"; status=1
    fi
    for reason in "cmov[a-z]* in PickLarger" "cpuid in AskProcessor" "comip* in CompareDoubles" \
        "nopl .* in LongNop" "nop %eax in HintNop" "endbr32 in EndBranch" "(bad) in Undecodable" \
        "has a TLS directory" "asks for ASLR"; do
        expect "$reason"
    done
done

# Only 0x0400 (removable media) of the two run-from-swap flags.
name=$(basename "$program")
cp "$program" "$tmp/$name"
characteristics=$(($(u32 "$program" 60) + 22))
put16 "$tmp/$name" "$characteristics" $(($(u32 "$program" "$characteristics") & 0xf3ff | 0x0400))
if out=$("$check" "$objdump" "$cpuid_list" "$symbols" --run-from-swap "$name" "$tmp/$name"); then
    echo "FAIL: $name passed with one of the run-from-swap flags"; status=1
fi
expect "do not ask to run from the swap file"
exit $status
