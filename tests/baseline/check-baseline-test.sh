#!/bin/sh
# Usage: check-baseline-test.sh OBJDUMP CPUID_LIST SYMBOLS_DIR FIXTURE PROGRAM
# The baseline check refuses a DLL built for the i686 with MinGW's usual
# start-up, naming each reason and the functions; and a program named for the
# run-from-swap flags that lacks them.
set -u
objdump=$1 cpuid_list=$2 symbols=$3 fixture=$4 program=$5
check=$(dirname "$0")/check-baseline.sh
status=0

expect() {
    echo "$out" | grep -q "$1" || { echo "FAIL: the refusal does not say \"$1\":"; echo "$out"; status=1; }
}
if out=$("$check" "$objdump" "$cpuid_list" "$symbols" "$fixture"); then
    echo "FAIL: a DLL built for the i686 passed the check"; status=1
fi
expect "cmov[a-z]* in PickLarger"
expect "cpuid in AskProcessor"
expect "has a TLS directory"
expect "asks for ASLR"

name=$(basename "$program")
if out=$("$check" "$objdump" "$cpuid_list" "$symbols" --run-from-swap "$name" "$program"); then
    echo "FAIL: $name passed without the run-from-swap flags"; status=1
fi
expect "do not ask to run from the swap file"
exit $status
