#!/bin/sh
# Usage: check-imports-test.sh OBJDUMP LISTDIR FIXTURE DELIVERABLE
# The import check refuses a denied function even when a list names it, and
# refuses a deliverable whose imports differ from its list by one function.
set -u
objdump=$1 lists=$2 fixture=$3 deliverable=$4
check=$(dirname "$0")/check-imports.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$lists/denied.txt" "$work/"
status=0

"$check" --print "$objdump" "$fixture" >"$work/$(basename "$fixture").imports"
if out=$("$check" "$objdump" "$work" "$fixture"); then
    echo "FAIL: a binary importing GetTickCount64 passed the check"; status=1
elif ! echo "$out" | grep -q "GetTickCount64 is missing"; then
    echo "FAIL: the refusal does not name GetTickCount64:"; echo "$out"; status=1
fi

name=$(basename "$deliverable")
sed 1d "$lists/$name.imports" >"$work/$name.imports"
if "$check" "$objdump" "$work" "$deliverable" >/dev/null; then
    echo "FAIL: $name passed with one import missing from its list"; status=1
fi
exit $status
