#!/bin/sh
# Usage: check-imports.sh OBJDUMP FILE...
# Fails when a file imports a DLL outside the allowed set.
objdump=$1; shift
allowed="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL COMCTL32.DLL SHELL32.DLL VERSION.DLL MSVCRT.DLL ZEPHAPI.DLL"
status=0
for file in "$@"; do
    dlls=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z')
    [ -n "$dlls" ] || { echo "$file: no imports found"; status=1; }
    for dll in $dlls; do
        case " $allowed " in
            *" $dll "*) ;;
            *) echo "$file imports $dll, which is not allowed"; status=1 ;;
        esac
    done
    echo "$(basename "$file"): $(echo $dlls)"
done
exit $status
