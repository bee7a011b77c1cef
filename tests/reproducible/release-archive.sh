#!/usr/bin/env bash
# Usage: release-archive.sh BUILD
# Makes the release archive twice and compares the two; then --verify must
# accept it and refuse two copies of it: one with a byte of the archive
# changed, and one, a sound archive, whose guide differs in a byte. Skipped
# (77) when the clone has changes not committed: a release is of a commit.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -- "$1")
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "skipped: $root has changes not committed"
    exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-release-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
release() { BUILD_DIR=$build "$root/scripts/release.sh" "$@" >"$work/log" 2>&1; }
release || { cat "$work/log"; exit 1; }
archive=$(echo "$build"/release/zeph-suite-*.zip)
cp "$archive" "$work/first.zip"
release || { cat "$work/log"; exit 1; }
cmp "$work/first.zip" "$archive"

# Byte 1000 lies in the first entry's data, Kelbrook.exe.
cp "$archive" "$work/damaged.zip"
byte=$(od -An -tu1 -j1000 -N1 "$archive" | tr -d ' ')
printf "$(printf '\\%03o' $((byte ^ 1)))" | dd of="$work/damaged.zip" bs=1 seek=1000 conv=notrunc status=none
mkdir "$work/guide"
unzip -q "$archive" -d "$work/guide"
folder=$(basename "$archive" .zip)
sed -i '1s/^#/=/' "$work/guide/$folder/deploying.txt"
(cd "$work/guide" && zip -q -X -D "$work/guide.zip" "$folder"/*)

if release --verify "$archive" "$work/damaged.zip" "$work/guide.zip"; then
    echo "--verify accepted a changed archive:"; cat "$work/log"; exit 1
fi
expect() { grep -q "$1" "$work/log" || { echo "--verify did not say: $1"; cat "$work/log"; exit 1; }; }
expect "^$archive: the same as the rebuild, byte for byte$"
expect "^$work/damaged.zip: $folder/Kelbrook.exe differs from the rebuild$"
expect "^$work/guide.zip: $folder/deploying.txt differs from the rebuild$"
if grep "^$work/guide.zip: " "$work/log" | grep -v deploying.txt; then
    echo "--verify named more than the guide"; exit 1
fi
echo "the archive is the same when made twice; --verify accepts it and names what differs in changed copies"
