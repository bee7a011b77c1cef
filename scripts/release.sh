#!/usr/bin/env bash
# Usage: scripts/release.sh
#        scripts/release.sh --verify ARCHIVE...
# Builds the three deliverables and makes build/release/zeph-suite-<version>.zip
# (the version from the file VERSION): Kelbrook.exe, ZEPHBuy.exe, ZEPH.dll,
# the deploying guide as text and SHA256SUMS naming the commit. The archive
# is the same bytes wherever the commit is built: fixed order, every entry
# with the commit's time, mode 644, no owner or other extra fields.
#
# --verify builds the commit that each ARCHIVE names again, from a clone of
# this one in a temporary folder, and says for each whether it is the same,
# naming every file in it that is not. Non-zero when any is not.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m -- "${BUILD_DIR:-$root/build}")
version=$(cat "$root/VERSION")
name=zeph-suite-$version
# What the archive holds, in its order, and where the build puts each.
binaries=(backup/Kelbrook.exe buyhost/ZEPHBuy.exe runtime/ZEPH.dll)
entries=(Kelbrook.exe ZEPHBuy.exe ZEPH.dll deploying.txt SHA256SUMS)

make_archive() {
    if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
        echo "$root has changes that are not committed; a release is made from a commit" >&2
        exit 1
    fi
    "$root/scripts/build.sh" Kelbrook ZEPHBuy ZEPH
    local commit epoch stage out=$build/release/$name.zip file
    commit=$(git -C "$root" rev-parse HEAD)
    # The time the binaries carry.
    epoch=$(cat "$build/source-date-epoch")
    stage=$(mktemp -d "${TMPDIR:-/tmp}/zeph-release.XXXXXX")
    # shellcheck disable=SC2064 # the folder is known now
    trap "rm -rf '$stage'" EXIT
    mkdir "$stage/$name"
    for file in "${binaries[@]}"; do cp "$build/$file" "$stage/$name/"; done
    # Line ends that the Notepad of Windows 95 shows.
    sed 's/$/\r/' "$root/docs/deploying.md" >"$stage/$name/deploying.txt"
    (
        cd "$stage/$name"
        echo "# $name, commit $commit"
        sha256sum "${entries[@]:0:4}"
    ) >"$stage/$name/SHA256SUMS"
    chmod 644 "$stage/$name"/*
    touch -d "@$epoch" "$stage/$name"/*
    mkdir -p "$build/release"
    rm -f "$out"
    # zip stores local time: UTC, whatever the machine's zone. -X: no owner or
    # time fields beside the entry's own; -D: no entry for the folder.
    (cd "$stage" && TZ=UTC0 zip -q -X -D -9 "$out.tmp" "${entries[@]/#/$name/}")
    mv "$out.tmp" "$out"
    echo "$out: $(stat -c %s "$out") bytes, $name at commit $commit"
}

# verify_one ARCHIVE REBUILT WORK: compares ARCHIVE with REBUILT, naming every
# entry that differs; false when anything does.
verify_one() {
    local archive=$1 rebuilt=$2 work=$3 given=$3/given again=$3/again entry status=0 tested
    if cmp -s "$archive" "$rebuilt"; then
        echo "$archive: the same as the rebuild, byte for byte"
        return 0
    fi
    rm -rf "$given" "$again"
    mkdir -p "$given" "$again"
    unzip -q "$rebuilt" -d "$again"
    if ! tested=$(unzip -t "$archive" 2>&1); then
        echo "$archive: damaged; unzip says:"
        grep -v 'OK$' <<<"$tested" | sed 's/^/  /'
        status=1
    fi
    unzip -qq -o "$archive" -d "$given" >/dev/null 2>&1 || true
    while IFS= read -r entry; do
        if [ ! -e "$given/$entry" ]; then
            echo "$archive: $entry is missing"
        elif [ ! -e "$again/$entry" ]; then
            echo "$archive: $entry is not in the release"
        elif ! cmp -s "$given/$entry" "$again/$entry"; then
            echo "$archive: $entry differs from the rebuild"
        else
            continue
        fi
        status=1
    done < <({ (cd "$given" && find . -type f -printf '%P\n'); (cd "$again" && find . -type f -printf '%P\n'); } |
        sort -u)
    [ "$status" -ne 0 ] ||
        echo "$archive: the files are the same as the rebuild's, the archive is not (order, times or attributes)"
    return 1
}

verify() {
    local work archive commit status=0
    work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-verify.XXXXXX")
    # shellcheck disable=SC2064 # the folder is known now
    trap "rm -rf '$work'" EXIT
    for archive in "$@"; do
        commit=$(unzip -p "$archive" '*/SHA256SUMS' 2>/dev/null |
            sed -n 's/^# zeph-suite-[^ ]*, commit \([0-9a-f]\{40\}\)\r\{0,1\}$/\1/p' || true)
        if [ -z "$commit" ]; then
            echo "$archive: names no commit (no SHA256SUMS, or not a release archive)"
            status=1
            continue
        fi
        if [ ! -d "$work/$commit" ]; then
            if ! git -C "$root" cat-file -e "$commit^{commit}" 2>/dev/null; then
                echo "$archive: commit $commit is not in $root"
                status=1
                continue
            fi
            echo "building commit $commit in $work/$commit" >&2
            git clone -q --no-checkout "$root" "$work/$commit/src"
            git -C "$work/$commit/src" checkout -q --detach "$commit"
            BUILD_DIR=$work/$commit/build "$work/$commit/src/scripts/release.sh" >"$work/$commit/log" 2>&1 ||
                { cat "$work/$commit/log"; echo "$archive: building commit $commit failed"; status=1; continue; }
        fi
        verify_one "$archive" "$(echo "$work/$commit"/build/release/*.zip)" "$work/$commit" || status=1
    done
    return "$status"
}

if [ "${1:-}" = --verify ]; then
    shift
    [ $# -gt 0 ] || { echo "usage: $0 --verify ARCHIVE..." >&2; exit 2; }
    verify "$@"
else
    make_archive
fi
