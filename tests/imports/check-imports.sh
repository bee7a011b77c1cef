#!/bin/sh
# Usage: check-imports.sh OBJDUMP LISTDIR FILE...
#        check-imports.sh --print OBJDUMP FILE
# Fails when a file imports a DLL outside the allowed set, a function named in
# LISTDIR/denied.txt (absent from Windows 95 or NT 4), or anything other than
# what LISTDIR/<file name>.imports lists. --print writes a file's imports in
# the list format ("DLL function", or "DLL #ordinal"), to renew a list.
set -u
imports() {
    "$1" -p "$2" | awk '
        /^[[:space:]]*DLL Name: / { dll = toupper($3); next }
        /^[[:space:]]*$/ { dll = "" }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {
            if ($3 == "<none>") print dll " #" $2; else print dll " " $3
        }' | LC_ALL=C sort -u
}

if [ "${1:-}" = "--print" ]; then
    imports "$2" "$3"
    exit 0
fi

objdump=$1 lists=$2
shift 2
allowed="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL COMCTL32.DLL SHELL32.DLL VERSION.DLL MSVCRT.DLL ZEPHAPI.DLL"
denied=$(grep -v '^#' "$lists/denied.txt" | tr -d ' \r' | grep .)
status=0
for file in "$@"; do
    name=$(basename "$file")
    list="$lists/$name.imports"
    actual=$(imports "$objdump" "$file")
    [ -n "$actual" ] || { echo "$name: no imports found"; status=1; continue; }
    dlls=$(echo "$actual" | cut -d' ' -f1 | uniq)
    for dll in $dlls; do
        case " $allowed " in
            *" $dll "*) ;;
            *) echo "$name imports $dll, which is not allowed"; status=1 ;;
        esac
    done
    for function in $(echo "$actual" | cut -d' ' -f2; [ -f "$list" ] && cut -d' ' -f2 "$list"); do
        if echo "$denied" | grep -qx "$function"; then
            echo "$name: $function is missing on Windows 95 or NT 4"
            status=1
        fi
    done
    if [ ! -f "$list" ]; then
        echo "$name: no committed import list $list"
        status=1
    elif ! echo "$actual" | diff -u "$list" - >/dev/null; then
        echo "$name: imports differ from $list (- listed, + imported):"
        echo "$actual" | diff -u "$list" - | tail -n +3 | grep '^[-+]'
        status=1
    fi
    echo "$name: $(echo $dlls)"
done
exit $status
