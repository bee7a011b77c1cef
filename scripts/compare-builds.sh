#!/usr/bin/env bash
# Usage: scripts/compare-builds.sh BUILD_A BUILD_B
# Compares the five binaries that ship or travel with the suite in two build
# folders byte for byte, naming for each that differs the first differing
# offset and the header field or section that holds it, and fails when any
# differs or when one of them names the folder it was built in, its sources
# or the runtime's folder. Non-zero when anything differs or is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deliverables=(backup/Kelbrook.exe buyhost/ZEPHBuy.exe runtime/ZEPH.dll outside/zephapi/ZEPHAPI.DLL
    outside/purchase/SamplePurchase.dll)
status=0

# Folders of a build that must not reach what it built.
folders_of() {
    echo "$1"
    sed -n 's/^\(CMAKE_HOME_DIRECTORY:INTERNAL\|SUITE_I486_RUNTIME:PATH\)=//p' "$1/CMakeCache.txt"
}

for file in "${deliverables[@]}"; do
    a=$1/$file b=$2/$file
    for f in "$a" "$b"; do
        [ -f "$f" ] || { echo "$f: missing"; status=1; continue 2; }
    done
    # cmp -l counts from 1.
    if ! diffs=$(cmp -l "$a" "$b" 2>&1); then
        if [ "$(stat -c %s "$a")" -ne "$(stat -c %s "$b")" ]; then
            echo "$file: sizes differ ($(stat -c %s "$a") and $(stat -c %s "$b") bytes)"
        fi
        first=$(grep -m1 '^ *[0-9]' <<<"$diffs" | awk '{ print $1 - 1 }' || true)
        # One file the start of the other: they differ where the shorter ends.
        [ -n "$first" ] || first=$(stat -c %s "$a" "$b" | sort -n | head -n1)
        where=$(od -An -v -tu1 "$a" | awk -v at="$first" -f "$root/toolchain/pe-header.awk")
        printf '%s: %d bytes differ, the first at offset %d (0x%x), in %s\n' \
            "$file" "$(grep -c '^ *[0-9]' <<<"$diffs")" "$first" "$first" "$where"
        status=1
    fi
    for build in "$1" "$2"; do
        text=$(strings -a "$build/$file")
        while IFS= read -r folder; do
            if [ -n "$folder" ] && grep -qF -- "$folder" <<<"$text"; then
                echo "$build/$file names $folder"
                status=1
            fi
        done < <(folders_of "$build")
    done
done
[ "$status" -ne 0 ] || echo "the ${#deliverables[@]} binaries are byte for byte the same in $1 and $2"
exit "$status"
